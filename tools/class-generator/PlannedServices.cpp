#include "PlannedServices.h"

namespace calctutor::classgen {

std::string PlannedInput::ask(std::string_view prompt)
{
    if (m_planned.empty() || m_planned.front().first != prompt) {
        if (m_fault.empty())
            m_fault = "the tutor asked a question that was not planned: " + std::string(prompt.substr(0, 60));
        return {};
    }
    std::string answer = std::move(m_planned.front().second);
    m_planned.pop_front();
    return answer;
}

} // namespace calctutor::classgen
