#pragma once
// The services a generated student's tutor runs with, besides the clock: the
// answers to the input boxes come from the generator's plan, and anything
// the tutor would tell the student is kept, since a generated class should
// never give it cause to.

#include "core/Services.h"

#include <deque>
#include <string>
#include <utility>

namespace calctutor::classgen {

// Answers each question with the answer planned for it; a question that was
// not planned next is kept as a fault and answered with Cancel.
class PlannedInput final : public InputBox {
public:
    void plan(std::string prompt, std::string answer) { m_planned.emplace_back(std::move(prompt), std::move(answer)); }
    std::string ask(std::string_view prompt) override;

    bool allAsked() const { return m_planned.empty(); }
    const std::string& fault() const { return m_fault; }

private:
    std::deque<std::pair<std::string, std::string>> m_planned;
    std::string m_fault;
};

class KeptMessages final : public StudentMessages {
public:
    void tell(std::string_view message) override
    {
        if (m_first.empty())
            m_first = message;
    }
    const std::string& first() const { return m_first; }

private:
    std::string m_first;
};

// The graph routines have nothing to draw on.
class NoGraphs final : public GraphDisplay {
public:
    void showGraph(int) override {}
};

class NoBeep final : public Beep {
public:
    void beep() override {}
};

} // namespace calctutor::classgen
