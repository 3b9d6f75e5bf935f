#include "report/html/StudentPage.h"

#include "core/NumberText.h"
#include "report/html/IndexPage.h"

#include <algorithm>

namespace calctutor::report {

namespace {

std::string_view stateWords(std::string_view status)
{
    if (status == "progress")
        return "under way";
    if (status == "partial")
        return "left unfinished";
    return status;
}

std::string_view kindClass(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Answer: return "answer";
    case EntryKind::Critique: return "critique";
    case EntryKind::Note: return "note";
    case EntryKind::Response: break;
    }
    return "response";
}

// The flag bits of the templates.
constexpr unsigned kHasDates = 1;
constexpr unsigned kHasEntries = 1;
constexpr unsigned kHasRating = 1;
constexpr unsigned kHasCourseText = 1;
constexpr unsigned kHasGivenAnswer = 2;

} // namespace

std::string_view kindLabel(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Answer: return "Answer";
    case EntryKind::Critique: return "Critique";
    case EntryKind::Note: return "Note";
    case EntryKind::Response: break;
    }
    return "Response";
}

StudentPage::StudentPage(PageTemplates& templates, const CourseQuestions& course)
    : m_course(course), m_page(templates, "student.html",
                               {"name", "daysWorked", "firstDate", "lastDate", "answers", "critiques", "notes",
                                "meanConfidence", "shareOfThree"},
                               {"hasDates"}, {"assignments", "sections"}),
      m_assignment(templates, "student-assignment.html",
                   {"number", "title", "answered", "questions", "status", "state", "lastDate"}, {"hasEntries"}),
      m_section(templates, "student-section.html", {"number", "title"}, {}, {"questions"}),
      m_question(templates, "student-question.html", {"anchor", "heading", "courseText", "givenAnswer"},
                 {"hasCourseText", "hasGivenAnswer"}, {"entries"}),
      m_entry(templates, "student-entry.html",
              {"index", "kind", "kindClass", "date", "time", "ratingName", "rating", "text"}, {"hasRating"}),
      m_courseQuestions(course.questions().size())
{
}

void StudentPage::render(const StudentRecord& record, const StudentOverview& overview, const StudentSummary& figures,
                         const EscapedTexts& texts, std::string& page)
{
    page.clear();
    m_page.append(page,
                  {record.name, std::to_string(overview.daysWorked), overview.firstDate, figures.lastDay,
                   std::to_string(figures.questionsAnswered), std::to_string(figures.critiques),
                   std::to_string(figures.notes),
                   figures.confidence.empty() ? "none" : fixedNumber(figures.confidence.mean(), 2),
                   figures.selfCritique.empty() ? "none"
                                                : percentText(static_cast<double>(figures.critiquesRatedThree)
                                                              / static_cast<double>(figures.selfCritique.count))},
                  overview.firstDate.empty() ? 0 : kHasDates, 0);

    // The entries by assignment, then question (0 stands for "not placed"), then time.
    const std::vector<ReportEntry>& entries = record.entries;
    m_order.resize(entries.size());
    for (std::size_t index = 0; index < entries.size(); ++index)
        m_order[index] = index;
    std::sort(m_order.begin(), m_order.end(), [&entries](std::size_t a, std::size_t b) {
        return std::tie(entries[a].assignment, entries[a].question, a)
            < std::tie(entries[b].assignment, entries[b].question, b);
    });

    for (const AssignmentProgress& assignment : overview.assignments) {
        const CourseAssignment* known = m_course.assignment(assignment.assignment);
        const bool hasEntries = std::any_of(entries.begin(), entries.end(), [&](const ReportEntry& entry) {
            return entry.assignment == assignment.assignment;
        });
        const std::string_view status = progressStatus(assignment, overview.lastDate, {});
        m_assignment.append(page,
                            {std::to_string(assignment.assignment),
                             known ? known->title : std::to_string(assignment.assignment),
                             std::to_string(assignment.answered), std::to_string(assignment.questions),
                             status == "not started" ? "none" : status, stateWords(status), assignment.lastDate},
                            hasEntries ? kHasEntries : 0);
    }
    m_page.append(page, {}, 0, 1);

    for (std::size_t at = 0; at < m_order.size();) {
        const int assignmentNumber = entries[m_order[at]].assignment;
        const CourseAssignment* known = m_course.assignment(assignmentNumber);
        m_section.append(page,
                         {std::to_string(assignmentNumber),
                          assignmentNumber == 0 ? std::string("Entries before any start of the tutor")
                              : known           ? known->title
                                                : "Assignment " + std::to_string(assignmentNumber)});
        while (at < m_order.size() && entries[m_order[at]].assignment == assignmentNumber) {
            const int questionNumber = entries[m_order[at]].question;
            appendQuestion(page, assignmentNumber, questionNumber, 0);
            for (; at < m_order.size() && entries[m_order[at]].assignment == assignmentNumber
                 && entries[m_order[at]].question == questionNumber;
                 ++at)
                appendEntry(page, entries[m_order[at]], m_order[at], texts[m_order[at]]);
            appendQuestion(page, assignmentNumber, questionNumber, 1);
        }
        m_section.append(page, {}, 0, 1);
    }
    m_page.append(page, {}, 0, 2);
}

void StudentPage::appendQuestion(std::string& page, int assignment, int question, std::size_t part)
{
    const CourseQuestion* known = m_course.find(assignment, question);
    if (known && !m_courseQuestions[known->index][part].empty()) {
        page += m_courseQuestions[known->index][part];
        return;
    }
    std::string anchor = "q"; // built in two steps: GCC 12 at -O3 warns wrongly on "q" + a temporary
    anchor += questionKey(assignment, question);
    const std::string heading = question == 0 ? "Not placed in a question" : "Question " + std::to_string(question);
    if (!known) {
        m_question.append(page, {anchor, heading}, 0, part);
        return;
    }
    std::array<std::string, 2>& rendered = m_courseQuestions[known->index];
    const unsigned flags = kHasCourseText | (known->givenAnswer.empty() ? 0 : kHasGivenAnswer);
    for (std::size_t each = 0; each < rendered.size(); ++each)
        m_question.append(rendered[each], {anchor, heading, known->text, known->givenAnswer}, flags, each);
    page += rendered[part];
}

void StudentPage::appendEntry(std::string& page, const ReportEntry& entry, std::size_t index, EscapedHtml text)
{
    const bool rated = entry.kind == EntryKind::Answer || entry.kind == EntryKind::Critique;
    m_entry.append(page,
                   {std::to_string(index), kindLabel(entry.kind), kindClass(entry.kind), entry.date, entry.time,
                    entry.kind == EntryKind::Answer ? "confidence" : "self-critique",
                    entry.rating.empty() ? std::string_view("(none)") : std::string_view(entry.rating), text},
                   rated ? kHasRating : 0);
}

} // namespace calctutor::report
