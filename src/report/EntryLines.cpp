#include "report/EntryLines.h"

#include <chrono>

namespace calctutor::report {

namespace {

constexpr std::size_t kIndent = 36;

std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t count)
{
    if (at + count > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t k = at; k < at + count; ++k) {
        if (text[k] < '0' || text[k] > '9')
            return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

bool isIndent(std::string_view line)
{
    return line.size() > kIndent && line.find_first_not_of(' ') == kIndent;
}

void appendTwoDigits(std::string& text, int value)
{
    text.push_back(static_cast<char>('0' + value / 10 % 10));
    text.push_back(static_cast<char>('0' + value % 10));
}

} // namespace

std::optional<std::int64_t> dayOfDate(std::string_view text)
{
    if (text.size() != 10 || text[2] != '-' || text[5] != '-')
        return std::nullopt;
    const auto month = digitsAt(text, 0, 2);
    const auto day = digitsAt(text, 3, 2);
    const auto year = digitsAt(text, 6, 4);
    if (!month || !day || !year)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok())
        return std::nullopt;
    return std::chrono::sys_days{date}.time_since_epoch().count();
}

std::string isoDate(std::int64_t day)
{
    const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{day}}};
    const int year = static_cast<int>(date.year());
    std::string text = std::to_string(year / 100);
    if (text.size() < 2)
        text.insert(0, 2 - text.size(), '0');
    appendTwoDigits(text, year % 100);
    text.push_back('-');
    appendTwoDigits(text, static_cast<int>(static_cast<unsigned>(date.month())));
    text.push_back('-');
    appendTwoDigits(text, static_cast<int>(static_cast<unsigned>(date.day())));
    return text;
}

std::optional<int> secondsOfTime(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const auto hours = digitsAt(text, 0, 2);
    const auto minutes = digitsAt(text, 3, 2);
    const auto seconds = digitsAt(text, 6, 2);
    if (!hours || !minutes || !seconds || *hours > 23 || *minutes > 59 || *seconds > 59)
        return std::nullopt;
    return *hours * 3600 + *minutes * 60 + *seconds;
}

std::string clockTime(int seconds)
{
    std::string text;
    appendTwoDigits(text, seconds / 3600);
    text.push_back(':');
    appendTwoDigits(text, seconds / 60 % 60);
    text.push_back(':');
    appendTwoDigits(text, seconds % 60);
    return text;
}

std::optional<int> timeLineSeconds(std::string_view line)
{
    if (line.size() != kIndent + 8 || !isIndent(line))
        return std::nullopt;
    return secondsOfTime(line.substr(kIndent));
}

std::optional<DateTime> dateTimeLine(std::string_view line)
{
    if (line.size() != kIndent + 18 || !isIndent(line))
        return std::nullopt;
    const auto day = dayOfDate(line.substr(kIndent, 10));
    const auto seconds = secondsOfTime(line.substr(kIndent + 10));
    if (!day || !seconds)
        return std::nullopt;
    return DateTime{*day, *seconds};
}

std::optional<long long> numberLineValue(std::string_view line)
{
    constexpr std::string_view kLabel = "`questionNumber";
    if (!line.starts_with(kLabel) || !line.ends_with(' ') || line.size() < kLabel.size() + 3)
        return std::nullopt;
    const std::string_view signed_ = line.substr(kLabel.size(), line.size() - kLabel.size() - 1);
    const bool negative = signed_.front() == '-';
    if (!negative && signed_.front() != ' ')
        return std::nullopt;
    const std::string_view digits = signed_.substr(1);
    if (digits.empty() || digits.size() > 15)
        return std::nullopt;
    long long value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<StartLines> startHeaderAt(const std::vector<std::string_view>& lines, std::size_t at)
{
    constexpr std::string_view kAssignmentLabel = "assignment #";
    if (at + kStartHeaderLines > lines.size() || !lines[at + 1].starts_with(kAssignmentLabel) || !lines[at + 3].empty())
        return std::nullopt;
    const auto day = dayOfDate(lines[at + 4]);
    if (!day)
        return std::nullopt;
    int assignment = 0;
    for (const char c : lines[at + 1].substr(kAssignmentLabel.size())) {
        if (c < '0' || c > '9' || assignment > 100000)
            break;
        assignment = assignment * 10 + (c - '0');
    }
    return StartLines{lines[at], assignment, *day};
}

} // namespace calctutor::report
