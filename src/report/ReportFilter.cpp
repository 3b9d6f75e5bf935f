#include "report/ReportFilter.h"

#include "report/EntryLines.h"

#include <charconv>

namespace calctutor::report {

bool ReportFilter::keeps(int assignment, const std::string& date) const
{
    if (!assignments.empty() && assignments.count(assignment) == 0)
        return false;
    // An entry of unknown date is kept only when no range of days is asked for.
    if ((!since.empty() || !until.empty()) && date.empty())
        return false;
    return (since.empty() || date >= since) && (until.empty() || date <= until);
}

namespace {

std::optional<int> wholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > 9999)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::set<int>> parseAssignmentList(std::string_view text)
{
    std::set<int> numbers;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const std::size_t dash = item.find('-');
        const auto first = wholeNumber(item.substr(0, dash));
        const auto last = dash == std::string_view::npos ? first : wholeNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        for (int number = *first; number <= *last; ++number)
            numbers.insert(number);
        if (comma == std::string_view::npos)
            return numbers;
        text.remove_prefix(comma + 1);
        if (text.empty())
            return std::nullopt;
    }
    return std::nullopt;
}

bool isIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    const std::string usDate = std::string(text.substr(5, 2)) + "-" + std::string(text.substr(8, 2)) + "-"
        + std::string(text.substr(0, 4));
    return dayOfDate(usDate).has_value();
}

void FilteringSink::student(const StudentRecord& record)
{
    if (m_filter.keepsAll()) {
        m_next.student(record);
        return;
    }
    StudentRecord kept;
    kept.name = record.name;
    for (const StartRecord& start : record.starts)
        if (m_filter.keeps(start.assignment, start.date))
            kept.starts.push_back(start);
    for (const ReportEntry& entry : record.entries)
        if (m_filter.keeps(entry.assignment, entry.date))
            kept.entries.push_back(entry);
    m_next.student(kept);
}

} // namespace calctutor::report
