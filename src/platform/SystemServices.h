#pragma once
// The real clock and random generator of the running program, and the
// platform's default output folder.

#include "core/Services.h"

#include <random>

namespace calctutor {

class SystemClock final : public Clock {
public:
    int secondsSinceMidnight() override;
    std::string date() override;
    std::string time() override;
};

class SystemRandom final : public RandomSource {
public:
    void seed(std::uint32_t seed) override;
    float next() override; // 24 random bits, so always strictly below 1
private:
    std::mt19937 m_engine;
};

// "c:\tesmoril" on Windows; tesmoril in the home folder elsewhere (~/tesmoril).
std::string defaultDataFolder();

} // namespace calctutor
