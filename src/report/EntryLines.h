#pragma once
// Recognising the fixed lines of the record files when reading them back:
// times, dates, the number line and the start header's lines. Each returns
// nothing for a line that does not have the exact form the tutor writes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

// Days since 1970-01-01 of a date written mm-dd-yyyy, if it is a real date.
std::optional<std::int64_t> dayOfDate(std::string_view text);
// "YYYY-MM-DD" of a day count.
std::string isoDate(std::int64_t day);
// Seconds since midnight of "hh:mm:ss".
std::optional<int> secondsOfTime(std::string_view text);
// "hh:mm:ss" of seconds since midnight.
std::string clockTime(int seconds);

// 36 spaces and hh:mm:ss.
std::optional<int> timeLineSeconds(std::string_view line);
struct DateTime {
    std::int64_t day = 0;
    int seconds = 0;
};
// 36 spaces, mm-dd-yyyy and hh:mm:ss with nothing between.
std::optional<DateTime> dateTimeLine(std::string_view line);
// "`questionNumber", the sign place, digits and a space: the record number.
std::optional<long long> numberLineValue(std::string_view line);

// A start header's five lines from lines[at]: the code line, "assignment #"
// and the number, the header entry, an empty line and the date.
struct StartLines {
    std::string_view codeLine;
    int assignment = 0;
    std::int64_t day = 0;
};
std::optional<StartLines> startHeaderAt(const std::vector<std::string_view>& lines, std::size_t at);
inline constexpr std::size_t kStartHeaderLines = 5;

} // namespace calctutor::report
