#pragma once
// The clock of a generated semester: it stands still until the generator moves
// it on, so every time the tutor reads is planned. It can also be set to move
// on by one second right after the next reading, as a real clock sometimes
// does between the master file's time line and the send file's.

#include "core/Services.h"

#include <cstdint>
#include <string>

namespace calctutor::classgen {

class SimulatedClock final : public Clock {
public:
    // Midnight at the start of the given day.
    SimulatedClock(int year, int month, int day);

    int secondsSinceMidnight() override;
    std::string date() override; // mm-dd-yyyy
    std::string time() override; // hh:mm:ss

    void advance(std::int64_t seconds) { m_seconds += seconds; }
    // Moves on to the given time of a later day.
    void laterDay(int daysAhead, int secondOfDay);
    // The next reading of time() is followed by a one-second step, unless
    // that step would cross midnight.
    void stepAfterNextReading() { m_stepPending = true; }

    int secondOfDay() const;
    std::int64_t day() const { return m_seconds / kSecondsPerDay; }
    // The date as YYYY-MM-DD and the time as hh:mm:ss, the way the report
    // writes them; reading them here never takes the planned step.
    std::string isoDate() const;
    std::string timeOfDay() const;

    static constexpr int kSecondsPerDay = 86400;

private:
    std::int64_t m_seconds = 0; // since midnight at the start of 1970-01-01
    bool m_stepPending = false;
};

} // namespace calctutor::classgen
