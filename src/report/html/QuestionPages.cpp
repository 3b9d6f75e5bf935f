#include "report/html/QuestionPages.h"

#include "report/ClassStatistics.h"
#include "report/html/IndexPage.h"
#include "report/html/StudentFileNames.h"

namespace calctutor::report {

namespace {

using kainjow::mustache::data;

constexpr std::string_view kRowsMark = "<!--rows-->\n";

std::string filterValue(const std::string& rating)
{
    const int counted = scaleRating(rating);
    return counted >= 0 ? std::to_string(counted) : std::string("other");
}

// The student's last answer and last critique of one question.
struct Pair {
    const ReportEntry* answer = nullptr;
    const ReportEntry* critique = nullptr;
};

} // namespace

QuestionPages::QuestionPages(PageTemplates& templates, const CourseQuestions& course, SiteFolder& folder)
    : m_templates(templates), m_course(course), m_folder(folder)
{
}

QuestionPages::OpenPage& QuestionPages::page(int assignment, int question)
{
    auto found = m_pages.find({assignment, question});
    if (found != m_pages.end())
        return found->second;
    const CourseQuestion* known = m_course.find(assignment, question);
    const std::string key = questionKey(assignment, question);
    data header;
    header.set("key", key);
    header.set("label", "Assignment " + std::to_string(assignment) + ", question " + std::to_string(question));
    header.set("courseText", known ? known->text : std::string());
    header.set("hasGivenAnswer", data(known != nullptr && !known->givenAnswer.empty()));
    header.set("givenAnswer", known ? known->givenAnswer : std::string());
    const std::string whole = m_templates.render("question.html", std::move(header));
    const std::size_t mark = whole.find(kRowsMark);
    OpenPage& open = m_pages[{assignment, question}];
    open.path = "questions/" + key + ".html";
    open.stream = m_folder.open(open.path);
    open.stream << std::string_view(whole).substr(0, mark);
    open.ending = whole.substr(mark + kRowsMark.size());
    return open;
}

void QuestionPages::add(const StudentRecord& record, const std::string& fileStem)
{
    std::map<std::pair<int, int>, Pair> pairs;
    for (const ReportEntry& entry : record.entries) {
        if (!m_course.find(entry.assignment, entry.question))
            continue;
        Pair& pair = pairs[{entry.assignment, entry.question}];
        if (entry.kind == EntryKind::Answer)
            pair.answer = &entry;
        else if (entry.kind == EntryKind::Critique)
            pair.critique = &entry;
    }
    for (const auto& [key, pair] : pairs) {
        if (!pair.answer && !pair.critique)
            continue;
        data row;
        row.set("name", record.name);
        row.set("link", "../students/" + stemInLink(fileStem) + ".html#q" + questionKey(key.first, key.second));
        row.set("answer", pair.answer ? pair.answer->text : std::string());
        row.set("confidence", pair.answer ? pair.answer->rating : std::string());
        row.set("confidenceFilter", filterValue(pair.answer ? pair.answer->rating : std::string()));
        row.set("critique", pair.critique ? pair.critique->text : std::string());
        row.set("critiqueRating", pair.critique ? pair.critique->rating : std::string());
        row.set("critiqueFilter", filterValue(pair.critique ? pair.critique->rating : std::string()));
        OpenPage& open = page(key.first, key.second);
        m_row.clear();
        m_templates.renderPiece("question-row.html", row, m_row);
        open.stream << m_row;
        ++open.rows;
    }
}

void QuestionPages::finish()
{
    for (const CourseAssignment& assignment : m_course.assignments()) {
        for (int question : assignment.questions)
            page(assignment.number, question);
    }
    for (auto& [key, open] : m_pages) {
        if (open.rows == 0) {
            data empty;
            empty.set("empty", data(true));
            open.stream << m_templates.render("question-row.html", std::move(empty));
        }
        open.stream << open.ending;
        open.stream.close();
        m_folder.check(open.stream, open.path);
    }
    m_pages.clear();
}

} // namespace calctutor::report
