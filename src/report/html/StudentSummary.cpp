#include "report/html/StudentSummary.h"

#include "report/html/ClassFigures.h"

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

StudentSummary summarize(const StudentRecord& record, const CourseQuestions& course)
{
    StudentSummary summary;
    summary.name = record.name;
    std::map<int, AssignmentProgress*> byNumber;
    summary.assignments.reserve(course.assignments().size());
    for (const CourseAssignment& assignment : course.assignments()) {
        summary.assignments.push_back({assignment.number, 0, static_cast<int>(assignment.questions.size()), false, {}});
        byNumber[assignment.number] = &summary.assignments.back();
    }

    std::set<std::string> days;
    for (const StartRecord& start : record.starts) {
        days.insert(start.date);
        if (auto found = byNumber.find(start.assignment); found != byNumber.end())
            noteDay(*found->second, start.date);
    }

    std::set<std::pair<int, int>> answered;
    int confidenceSum = 0;
    int confidenceCount = 0;
    int threes = 0;
    int critiqueCount = 0;
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        days.insert(entry.date);
        if (auto found = byNumber.find(entry.assignment); found != byNumber.end())
            noteDay(*found->second, entry.date);
        const std::optional<int> rating = countedRating(entry.rating);
        switch (entry.kind) {
        case EntryKind::Answer:
            ++summary.answers;
            if (entry.question != 0 && course.find(entry.assignment, entry.question))
                answered.insert({entry.assignment, entry.question});
            confidenceSum += rating.value_or(0);
            confidenceCount += rating ? 1 : 0;
            break;
        case EntryKind::Critique:
            ++summary.critiques;
            threes += rating == 3 ? 1 : 0;
            critiqueCount += rating ? 1 : 0;
            break;
        case EntryKind::Note: ++summary.notes; break;
        case EntryKind::Response: break;
        }
        if (asksInstructor(entry))
            summary.asks.push_back(
                {entry.date, entry.time, entry.assignment, entry.question, entry.kind, entry.text, index});
    }
    for (const auto& [assignment, question] : answered)
        ++byNumber[assignment]->answered;

    summary.daysWorked = static_cast<int>(days.size());
    summary.lastDate = days.empty() ? std::string() : *days.rbegin();
    if (confidenceCount > 0)
        summary.meanConfidence = static_cast<double>(confidenceSum) / confidenceCount;
    if (critiqueCount > 0)
        summary.shareOfThree = static_cast<double>(threes) / critiqueCount;
    return summary;
}

} // namespace calctutor::report
