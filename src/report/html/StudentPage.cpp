#include "report/html/StudentPage.h"

#include "core/NumberText.h"
#include "report/html/IndexPage.h"

#include <map>

namespace calctutor::report {

namespace {

using kainjow::mustache::data;

std::string stateWords(std::string_view status)
{
    if (status == "progress")
        return "under way";
    if (status == "partial")
        return "left unfinished";
    return std::string(status);
}

data entryData(const ReportEntry& entry, std::size_t index)
{
    data shown;
    shown.set("index", std::to_string(index));
    shown.set("kind", kindLabel(entry.kind));
    shown.set("kindClass",
              std::string(entry.kind == EntryKind::Answer         ? "answer"
                              : entry.kind == EntryKind::Critique ? "critique"
                              : entry.kind == EntryKind::Note     ? "note"
                                                                  : "response"));
    shown.set("date", entry.date);
    shown.set("time", entry.time);
    const bool rated = entry.kind == EntryKind::Answer || entry.kind == EntryKind::Critique;
    shown.set("hasRating", data(rated));
    shown.set("ratingName", entry.kind == EntryKind::Answer ? "confidence" : "self-critique");
    shown.set("rating", entry.rating.empty() ? std::string("(none)") : entry.rating);
    shown.set("text", entry.text);
    return shown;
}

// Entries of one question, or of no known question, in time order.
struct QuestionEntries {
    std::vector<std::size_t> indexes;
};

} // namespace

std::string kindLabel(EntryKind kind)
{
    switch (kind) {
    case EntryKind::Answer: return "Answer";
    case EntryKind::Critique: return "Critique";
    case EntryKind::Note: return "Note";
    case EntryKind::Response: break;
    }
    return "Response";
}

PageData studentPageData(const StudentRecord& record, const StudentOverview& overview, const StudentSummary& figures,
                         const CourseQuestions& course)
{
    data page;
    page.set("name", record.name);
    page.set("daysWorked", std::to_string(overview.daysWorked));
    page.set("hasDates", data(!overview.firstDate.empty()));
    page.set("firstDate", overview.firstDate);
    page.set("lastDate", figures.lastDay);
    page.set("answers", std::to_string(figures.questionsAnswered));
    page.set("critiques", std::to_string(figures.critiques));
    page.set("notes", std::to_string(figures.notes));
    page.set("meanConfidence", figures.confidence.empty() ? "none" : fixedNumber(figures.confidence.mean(), 2));
    page.set("shareOfThree",
             figures.selfCritique.empty() ? "none"
                                          : percentText(static_cast<double>(figures.critiquesRatedThree)
                                                        / static_cast<double>(figures.selfCritique.count)));

    // assignment -> question -> entries; 0 stands for "not placed".
    std::map<int, std::map<int, QuestionEntries>> placed;
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        placed[entry.assignment][entry.question].indexes.push_back(index);
    }

    data progress{data::type::list};
    for (const AssignmentProgress& assignment : overview.assignments) {
        const CourseAssignment* known = course.assignment(assignment.assignment);
        data row;
        row.set("number", std::to_string(assignment.assignment));
        row.set("title", known ? known->title : std::to_string(assignment.assignment));
        row.set("hasEntries", data(placed.contains(assignment.assignment)));
        row.set("answered", std::to_string(assignment.answered));
        row.set("questions", std::to_string(assignment.questions));
        const std::string_view status = progressStatus(assignment, overview.lastDate, {});
        row.set("status", std::string(status == "not started" ? "none" : status));
        row.set("state", stateWords(status));
        row.set("lastDate", assignment.lastDate);
        appendMoved(progress, std::move(row));
    }
    setMoved(page, "progress", std::move(progress));

    data sections{data::type::list};
    for (const auto& [assignmentNumber, questions] : placed) {
        const CourseAssignment* known = course.assignment(assignmentNumber);
        data section;
        section.set("number", std::to_string(assignmentNumber));
        section.set("title",
                    assignmentNumber == 0 ? std::string("Entries before any start of the tutor")
                        : known           ? known->title
                                          : "Assignment " + std::to_string(assignmentNumber));
        data shownQuestions{data::type::list};
        for (const auto& [questionNumber, entries] : questions) {
            const CourseQuestion* question = course.find(assignmentNumber, questionNumber);
            data shown;
            std::string anchor = "q"; // built in two steps: GCC 12 at -O3 warns wrongly on "q" + a temporary
            anchor += questionKey(assignmentNumber, questionNumber);
            shown.set("anchor", anchor);
            shown.set("heading",
                      questionNumber == 0 ? std::string("Not placed in a question")
                                          : "Question " + std::to_string(questionNumber));
            shown.set("hasCourseText", data(question != nullptr));
            shown.set("hasGivenAnswer", data(question != nullptr && !question->givenAnswer.empty()));
            if (question) {
                shown.set("courseText", question->text);
                shown.set("givenAnswer", question->givenAnswer);
            }
            data list{data::type::list};
            for (std::size_t index : entries.indexes)
                appendMoved(list, entryData(record.entries[index], index));
            setMoved(shown, "entries", std::move(list));
            appendMoved(shownQuestions, std::move(shown));
        }
        setMoved(section, "questions", std::move(shownQuestions));
        appendMoved(sections, std::move(section));
    }
    setMoved(page, "sections", std::move(sections));
    return page;
}

} // namespace calctutor::report
