#include "report/html/SvgCharts.h"

#include "core/NumberText.h"

#include <algorithm>
#include <charconv>

namespace calctutor::report {

namespace {

using kainjow::mustache::data;

constexpr double kLeft = 50;
constexpr double kTop = 12;
constexpr double kBottomRoom = 36;

std::string coordinate(double value)
{
    return fixedNumber(value, 1);
}

data label(double x, double y, const std::string& text, const char* anchor)
{
    data row;
    row.set("x", coordinate(x));
    row.set("y", coordinate(y));
    row.set("text", text);
    row.set("anchor", anchor);
    return row;
}

data line(double x1, double y1, double x2, double y2)
{
    data row;
    row.set("x1", coordinate(x1));
    row.set("y1", coordinate(y1));
    row.set("x2", coordinate(x2));
    row.set("y2", coordinate(y2));
    return row;
}

// Days of the proleptic Gregorian calendar, counted by 400-year eras.
long daysFromCivil(long year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long>(dayOfEra) - 719468;
}

} // namespace

std::optional<long> dayNumber(const std::string& date)
{
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return std::nullopt;
    long year = 0;
    unsigned month = 0;
    unsigned day = 0;
    const char* text = date.data();
    if (std::from_chars(text, text + 4, year).ptr != text + 4
        || std::from_chars(text + 5, text + 7, month).ptr != text + 7
        || std::from_chars(text + 8, text + 10, day).ptr != text + 10 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return daysFromCivil(year, month, day);
}

namespace {

constexpr double kScatterWidth = 520;
constexpr double kScatterHeight = 340;
constexpr double kScatterPlotWidth = kScatterWidth - kLeft - 20;
constexpr double kScatterBottom = kScatterHeight - kBottomRoom;
constexpr double kScatterPlotHeight = kScatterBottom - kTop;

double across(double confidence)
{
    return kLeft + confidence / 3.0 * kScatterPlotWidth;
}

double up(double share)
{
    return kScatterBottom - share * kScatterPlotHeight;
}

} // namespace

PageData scatterPlot()
{
    data plot;
    plot.set("width", fixedNumber(kScatterWidth, 0));
    plot.set("height", fixedNumber(kScatterHeight, 0));
    data gridLines{data::type::list};
    data labels{data::type::list};
    for (int confidence = 0; confidence <= 3; ++confidence) {
        const double x = across(confidence);
        appendMoved(gridLines, line(x, kTop, x, kScatterBottom));
        appendMoved(labels, label(x, kScatterBottom + 14, std::to_string(confidence), "middle"));
    }
    for (int percent = 0; percent <= 100; percent += 25) {
        const double y = up(percent / 100.0);
        appendMoved(gridLines, line(kLeft, y, kLeft + kScatterPlotWidth, y));
        appendMoved(labels, label(kLeft - 6, y + 4, std::to_string(percent) + "%", "end"));
    }
    appendMoved(labels, label(kLeft + kScatterPlotWidth / 2, kScatterHeight - 4, "mean confidence", "middle"));
    appendMoved(labels, label(kLeft + 6, kTop + 12, "self-critiques rated 3", "start"));
    setMoved(plot, "gridLines", std::move(gridLines));
    setMoved(plot, "labels", std::move(labels));
    return plot;
}

ScatterPlace scatterPlace(double meanConfidence, double shareOfThree)
{
    return {coordinate(across(std::clamp(meanConfidence, 0.0, 3.0))),
            coordinate(up(std::clamp(shareOfThree, 0.0, 1.0)))};
}

PageData activityBars(const std::map<std::string, int>& entriesPerDay)
{
    constexpr double kWidth = 720;
    constexpr double kHeight = 220;
    std::vector<std::pair<long, const std::pair<const std::string, int>*>> days;
    for (const auto& day : entriesPerDay) {
        if (auto number = dayNumber(day.first))
            days.push_back({*number, &day});
    }
    data bars;
    if (days.empty())
        return data(false);
    const long first = days.front().first;
    const long span = days.back().first - first + 1;
    int highest = 1;
    for (const auto& day : days)
        highest = std::max(highest, day.second->second);
    const double plotWidth = kWidth - kLeft - 20;
    const double plotHeight = kHeight - kTop - kBottomRoom;
    const double bottom = kTop + plotHeight;
    const double slot = plotWidth / static_cast<double>(span);

    bars.set("width", fixedNumber(kWidth, 0));
    bars.set("height", fixedNumber(kHeight, 0));
    bars.set("left", coordinate(kLeft));
    bars.set("right", coordinate(kLeft + plotWidth));
    bars.set("bottom", coordinate(bottom));
    bars.set("firstDate", days.front().second->first);
    bars.set("lastDate", days.back().second->first);
    bars.set("highest", std::to_string(highest));
    data labels{data::type::list};
    appendMoved(labels, label(kLeft, bottom + 16, days.front().second->first, "start"));
    appendMoved(labels, label(kLeft + plotWidth, bottom + 16, days.back().second->first, "end"));
    appendMoved(labels, label(kLeft - 6, kTop + 8, std::to_string(highest), "end"));
    appendMoved(labels, label(kLeft - 6, bottom, "0", "end"));
    data rects{data::type::list};
    for (const auto& [number, day] : days) {
        const double height = plotHeight * day->second / highest;
        data rect;
        rect.set("x", coordinate(kLeft + slot * static_cast<double>(number - first) + slot * 0.1));
        rect.set("y", coordinate(bottom - height));
        rect.set("width", coordinate(std::max(slot * 0.8, 0.5)));
        rect.set("height", coordinate(height));
        rect.set("date", day->first);
        rect.set("count", std::to_string(day->second));
        appendMoved(rects, std::move(rect));
    }
    setMoved(bars, "labels", std::move(labels));
    setMoved(bars, "days", std::move(rects));
    return bars;
}

} // namespace calctutor::report
