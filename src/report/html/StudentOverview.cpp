#include "report/html/StudentOverview.h"

#include <algorithm>
#include <string_view>

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
    for (const CourseAssignment& assignment : course.assignments())
        result.assignments.push_back({assignment.number, 0, static_cast<int>(assignment.questions.size()), false, {}});
    auto progressOf = [&](int assignment) -> AssignmentProgress* {
        for (AssignmentProgress& progress : result.assignments) {
            if (progress.assignment == assignment)
                return &progress;
        }
        return nullptr;
    };

    std::vector<std::string_view> days;
    days.reserve(record.starts.size() + record.entries.size());
    for (const StartRecord& start : record.starts) {
        days.push_back(start.date);
        if (AssignmentProgress* progress = progressOf(start.assignment))
            noteDay(*progress, start.date);
    }
    std::vector<bool> answered(course.questions().size());
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        days.push_back(entry.date);
        AssignmentProgress* progress = progressOf(entry.assignment);
        if (progress)
            noteDay(*progress, entry.date);
        const CourseQuestion* question = entry.kind == EntryKind::Answer ? course.find(entry.assignment, entry.question)
                                                                         : nullptr;
        if (question && !answered[question->index]) {
            answered[question->index] = true;
            ++progress->answered;
        }
        if (asksInstructor(entry))
            result.asks.push_back(
                {entry.date, entry.time, entry.assignment, entry.question, entry.kind, entry.text, index});
    }
    std::sort(days.begin(), days.end());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    result.daysWorked = static_cast<int>(days.size());
    result.firstDate = days.empty() ? std::string() : std::string(days.front());
    result.lastDate = days.empty() ? std::string() : std::string(days.back());
    return result;
}

} // namespace calctutor::report
