#pragma once
// Narrows what reaches the outputs to some assignments and a range of days,
// passing each student on with only the starts and entries inside them.

#include "report/ReportEntry.h"

#include <optional>
#include <set>
#include <string>

namespace calctutor::report {

struct ReportFilter {
    std::set<int> assignments; // empty: all
    std::string since;         // YYYY-MM-DD, empty: no bound
    std::string until;

    bool keeps(int assignment, const std::string& date) const;
    bool keepsAll() const { return assignments.empty() && since.empty() && until.empty(); }
};

// "1-5,8" gives 1, 2, 3, 4, 5 and 8; nothing for a text that is not such a list.
std::optional<std::set<int>> parseAssignmentList(std::string_view text);
// Whether the text is a real date written YYYY-MM-DD.
bool isIsoDate(std::string_view text);

class FilteringSink : public StudentSink {
public:
    FilteringSink(const ReportFilter& filter, StudentSink& next) : m_filter(filter), m_next(next) {}
    void student(const StudentRecord& record) override;

private:
    const ReportFilter& m_filter;
    StudentSink& m_next;
};

// Hands every student to each of the sinks in turn.
class FanOutSink : public StudentSink {
public:
    void add(StudentSink& sink) { m_sinks.push_back(&sink); }
    void student(const StudentRecord& record) override
    {
        for (StudentSink* sink : m_sinks)
            sink->student(record);
    }

private:
    std::vector<StudentSink*> m_sinks;
};

} // namespace calctutor::report
