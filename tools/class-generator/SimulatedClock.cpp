#include "SimulatedClock.h"

#include <algorithm>
#include <cstdio>

namespace calctutor::classgen {

namespace {

struct CivilDate {
    int year = 1970;
    int month = 1;
    int day = 1;
};

// Days from 1970-01-01 to the date, and back, in the proleptic Gregorian
// calendar (the well-known era arithmetic, which needs no table).
std::int64_t daysFromCivil(CivilDate date)
{
    const int year = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<int>(days - era * 146097);
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthIndex = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    date.month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    date.year = static_cast<int>(yearOfEra + era * 400) + (date.month <= 2 ? 1 : 0);
    return date;
}

std::string twoDigits(int value)
{
    char text[4];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

} // namespace

SimulatedClock::SimulatedClock(int year, int month, int day)
    : m_seconds(daysFromCivil({year, month, day}) * kSecondsPerDay)
{
}

int SimulatedClock::secondsSinceMidnight()
{
    return secondOfDay();
}

std::string SimulatedClock::date()
{
    const CivilDate today = civilFromDays(day());
    return twoDigits(today.month) + "-" + twoDigits(today.day) + "-" + std::to_string(today.year);
}

std::string SimulatedClock::time()
{
    std::string text = timeOfDay();
    if (m_stepPending && secondOfDay() + 1 < kSecondsPerDay)
        ++m_seconds;
    m_stepPending = false;
    return text;
}

std::string SimulatedClock::timeOfDay() const
{
    const int second = secondOfDay();
    return twoDigits(second / 3600) + ":" + twoDigits(second / 60 % 60) + ":" + twoDigits(second % 60);
}

void SimulatedClock::laterDay(int daysAhead, int secondOfDay)
{
    m_seconds = (day() + std::max(daysAhead, 1)) * kSecondsPerDay + secondOfDay;
}

int SimulatedClock::secondOfDay() const
{
    return static_cast<int>(m_seconds % kSecondsPerDay);
}

std::string SimulatedClock::isoDate() const
{
    const CivilDate today = civilFromDays(day());
    return std::to_string(today.year) + "-" + twoDigits(today.month) + "-" + twoDigits(today.day);
}

} // namespace calctutor::classgen
