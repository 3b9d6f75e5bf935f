#include "report/html/QuestionPages.h"

#include "report/ClassStatistics.h"
#include "report/html/IndexPage.h"
#include "report/html/StudentFileNames.h"

namespace calctutor::report {

namespace {

std::string filterValue(const std::string& rating)
{
    const int counted = scaleRating(rating);
    return counted >= 0 ? std::to_string(counted) : std::string("other");
}

constexpr unsigned kQuestionHasGivenAnswer = 1;
constexpr unsigned kEmpty = 1;

const std::string kNone;

// A page's rows are written out once they pass this size, with room kept
// for twice as much, so that each open page holds little.
constexpr std::size_t kWriteSize = 8 << 10;

} // namespace

QuestionPages::QuestionPages(PageTemplates& templates, const CourseQuestions& course, SiteFolder& folder)
    : m_course(course), m_folder(folder),
      m_page(templates, "question.html", {"key", "label", "courseText", "givenAnswer"}, {"hasGivenAnswer"}, {"rows"}),
      m_row(
          templates, "question-row.html",
          {"name", "link", "answer", "confidence", "confidenceFilter", "critique", "critiqueRating", "critiqueFilter"},
          {"empty"}),
      m_pages(course.questions().size())
{
    for (const CourseQuestion& question : course.questions())
        m_pages[question.index].key = questionKey(question.assignment, question.question);
}

QuestionPages::OpenPage& QuestionPages::page(const CourseQuestion& question)
{
    OpenPage& open = m_pages[question.index];
    if (!open.path.empty())
        return open;
    const std::string& key = open.key;
    open.text.reserve(2 * kWriteSize);
    m_page.append(
        open.text,
        {key, "Assignment " + std::to_string(question.assignment) + ", question " + std::to_string(question.question),
         question.text, question.givenAnswer},
        question.givenAnswer.empty() ? 0 : kQuestionHasGivenAnswer, 0);
    open.path = "questions/" + key + ".html";
    open.stream = m_folder.open(open.path);
    return open;
}

void QuestionPages::write(OpenPage& open, std::size_t atLeast)
{
    if (open.text.size() < atLeast)
        return;
    open.stream.write(open.text.data(), static_cast<std::streamsize>(open.text.size()));
    open.text.clear();
}

void QuestionPages::add(const StudentRecord& record, const std::string& fileStem, const EscapedTexts& texts)
{
    m_pairs.assign(m_course.questions().size(), Pair{});
    for (const ReportEntry& entry : record.entries) {
        const CourseQuestion* question = m_course.find(entry.assignment, entry.question);
        if (!question)
            continue;
        Pair& pair = m_pairs[question->index];
        if (entry.kind == EntryKind::Answer)
            pair.answer = &entry;
        else if (entry.kind == EntryKind::Critique)
            pair.critique = &entry;
    }
    m_link = "../students/" + stemInLink(fileStem) + ".html#q";
    const std::size_t linkSize = m_link.size();
    for (const CourseQuestion& question : m_course.questions()) {
        const Pair& pair = m_pairs[question.index];
        if (!pair.answer && !pair.critique)
            continue;
        const std::string& confidence = pair.answer ? pair.answer->rating : kNone;
        const std::string& critiqueRating = pair.critique ? pair.critique->rating : kNone;
        m_link.resize(linkSize);
        m_link += m_pages[question.index].key;
        OpenPage& open = page(question);
        const auto textOf = [&](const ReportEntry* entry) {
            return entry ? PageValue(texts[static_cast<std::size_t>(entry - record.entries.data())]) : PageValue(kNone);
        };
        m_row.append(open.text,
                     {record.name, m_link, textOf(pair.answer), confidence, filterValue(confidence),
                      textOf(pair.critique), critiqueRating, filterValue(critiqueRating)});
        ++open.rows;
        write(open, kWriteSize);
    }
}

void QuestionPages::finish()
{
    for (const CourseQuestion& question : m_course.questions()) {
        OpenPage& open = page(question);
        if (open.rows == 0)
            m_row.append(open.text, {}, kEmpty);
        m_page.append(open.text, {}, 0, 1);
        write(open, 0);
        open.stream.close();
        m_folder.check(open.stream, open.path);
    }
    m_pages.clear();
}

} // namespace calctutor::report
