#pragma once
// Services that never run out, for the programs that drive the tutor for a
// long time without a script: the kill soak and the benchmarks. Tests use the
// strict scripted fakes of Fakes.h instead.

#include "core/Services.h"

#include <cstdio>
#include <string>

namespace calctutor::testing {

// Answers every question with the same text: a rating, a name, a number.
class SteadyInput final : public InputBox {
public:
    explicit SteadyInput(std::string answer = "2") : m_answer(std::move(answer)) {}
    std::string ask(std::string_view) override { return m_answer; }

private:
    std::string m_answer;
};

class SilentMessages final : public StudentMessages {
public:
    void tell(std::string_view) override {}
};

// Messages go to standard error, where a benchmark's log keeps them.
class PrintedMessages final : public StudentMessages {
public:
    void tell(std::string_view message) override
    {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(message.size()), message.data());
    }
};

class StillClock final : public Clock {
public:
    int secondsSinceMidnight() override { return 0; }
    std::string date() override { return "12-08-2026"; }
    std::string time() override { return "20:00:00"; }
};

class NoBeep final : public Beep {
public:
    void beep() override {}
};

class NoGraphs final : public GraphDisplay {
public:
    void showGraph(int) override {}
};

} // namespace calctutor::testing
