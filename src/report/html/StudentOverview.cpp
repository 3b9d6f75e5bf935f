#include "report/html/StudentOverview.h"

#include <map>
#include <set>

namespace calctutor::report {

namespace {

void noteDay(AssignmentProgress& progress, const std::string& date)
{
    progress.started = true;
    if (date > progress.lastDate)
        progress.lastDate = date;
}

} // namespace

bool asksInstructor(const ReportEntry& entry)
{
    return (entry.kind == EntryKind::Critique || entry.kind == EntryKind::Note)
        && entry.text.find('?') != std::string::npos;
}

StudentOverview overview(const StudentRecord& record, const CourseQuestions& course)
{
    StudentOverview result;
    result.name = record.name;
    std::map<int, std::size_t> byNumber;
    for (const CourseAssignment& assignment : course.assignments()) {
        byNumber[assignment.number] = result.assignments.size();
        result.assignments.push_back({assignment.number, 0, static_cast<int>(assignment.questions.size()), false, {}});
    }
    auto progressOf = [&](int assignment) -> AssignmentProgress* {
        auto found = byNumber.find(assignment);
        return found == byNumber.end() ? nullptr : &result.assignments[found->second];
    };

    std::set<std::string> days;
    for (const StartRecord& start : record.starts) {
        days.insert(start.date);
        if (AssignmentProgress* progress = progressOf(start.assignment))
            noteDay(*progress, start.date);
    }
    std::set<std::pair<int, int>> answered;
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        days.insert(entry.date);
        if (AssignmentProgress* progress = progressOf(entry.assignment))
            noteDay(*progress, entry.date);
        if (entry.kind == EntryKind::Answer && course.find(entry.assignment, entry.question)
            && answered.insert({entry.assignment, entry.question}).second)
            ++progressOf(entry.assignment)->answered;
        if (asksInstructor(entry))
            result.asks.push_back(
                {entry.date, entry.time, entry.assignment, entry.question, entry.kind, entry.text, index});
    }
    result.daysWorked = static_cast<int>(days.size());
    result.firstDate = days.empty() ? std::string() : *days.begin();
    result.lastDate = days.empty() ? std::string() : *days.rbegin();
    return result;
}

} // namespace calctutor::report
