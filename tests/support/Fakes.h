#pragma once
// Scripted stand-ins for the platform services. Each fails the test loudly
// when asked more often than scripted, and when scripted answers, times or
// draws are left unused.

#include "core/Services.h"

#include <deque>
#include <string>
#include <vector>

namespace calctutor::testing {

// Fails the running test; each test harness (GoogleTest, Qt Test) defines it.
void reportFakeFailure(const std::string& message);

class ScriptedInput final : public InputBox {
public:
    ScriptedInput() = default;
    ScriptedInput(std::initializer_list<std::string> answers) : m_answers(answers) {}
    ~ScriptedInput() override
    {
        if (!m_answers.empty())
            reportFakeFailure(std::to_string(m_answers.size()) + " scripted answers unused");
    }

    void add(std::string answer) { m_answers.push_back(std::move(answer)); }
    std::string ask(std::string_view prompt) override
    {
        prompts.emplace_back(prompt);
        if (m_answers.empty()) {
            reportFakeFailure("unexpected question: " + std::string(prompt));
            return {};
        }
        std::string answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::vector<std::string> prompts;

private:
    std::deque<std::string> m_answers;
};

class RecordedMessages final : public StudentMessages {
public:
    void tell(std::string_view message) override { told.emplace_back(message); }
    std::vector<std::string> told;
};

class FixedClock final : public Clock {
public:
    FixedClock() = default;
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    ~FixedClock() override
    {
        if (!ticks.empty())
            reportFakeFailure(std::to_string(ticks.size()) + " scripted times unused");
    }
    int secondsSinceMidnight() override { return seconds; }
    std::string date() override { return today; }
    std::string time() override
    {
        if (!ticks.empty()) {
            now = ticks.front();
            ticks.pop_front();
        }
        return now;
    }

    int seconds = 45296;
    std::string today = "07-12-2026";
    std::string now = "12:34:56";
    std::deque<std::string> ticks; // handed out first, one per call of time()
};

// Hands out the scripted draws in order; fails when they run out.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> draws) : m_draws(draws) {}
    ScriptedRandom(const ScriptedRandom&) = delete;
    ScriptedRandom& operator=(const ScriptedRandom&) = delete;
    ~ScriptedRandom() override
    {
        if (!m_draws.empty() && !spareDrawsAllowed)
            reportFakeFailure(std::to_string(m_draws.size()) + " scripted random draws unused");
    }
    void add(float draw) { m_draws.push_back(draw); }
    void add(std::initializer_list<float> draws) { m_draws.insert(m_draws.end(), draws); }
    void seed(std::uint32_t value) override { seeds.push_back(value); }
    float next() override
    {
        if (m_draws.empty()) {
            reportFakeFailure("random draw not scripted");
            return 0.0f;
        }
        const float draw = m_draws.front();
        m_draws.pop_front();
        return draw;
    }
    std::size_t remaining() const { return m_draws.size(); }
    std::vector<std::uint32_t> seeds;
    // For a test that draws an unknown number as a side effect it does not
    // check (the window's start and timer): then only running out fails.
    bool spareDrawsAllowed = false;

private:
    std::deque<float> m_draws;
};

class CountedBeep final : public Beep {
public:
    void beep() override { ++beeps; }
    int beeps = 0;
};

class RecordedGraphs final : public GraphDisplay {
public:
    void showGraph(int graphNumber) override { shown.push_back(graphNumber); }
    std::vector<int> shown;
};

} // namespace calctutor::testing
