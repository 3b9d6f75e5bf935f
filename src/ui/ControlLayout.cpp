#include "ui/ControlLayout.h"

#include <utility>

namespace calctutor {

std::string controlName(const ControlSpec& control)
{
    std::string name(control.name);
    if (control.groupIndex >= 0) {
        name += '_';
        name += std::to_string(control.groupIndex);
    }
    return name;
}

namespace {

// Spoken names of the controls whose caption does not say what they are. Two
// buttons share the caption "Make Paragraph", and three buttons have no action.
constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kSpokenNames = {{
    {"txt_question", "Question box"},
    {"txt_answer", "Answer box"},
    {"Picture1", "Left picture panel"},
    {"Picture2", "Right picture panel"},
    {"List1", "List (not used)"},
    {"cmd_Make_paragraph", "Make Paragraph, answer side (not used)"},
    {"cmd_Make_Paragraph_question", "Make Paragraph, question side (not used)"},
    {"cmd_timerTrigger", "Trigger Timer (not used)"},
    {"txt_paragraph_goback", "Number of sentences previous"},
}};

} // namespace

std::string accessibleNameOf(const ControlSpec& control)
{
    for (const auto& [name, spoken] : kSpokenNames) {
        if (control.name == name)
            return std::string(spoken);
    }
    if (control.name == "txt_parameter")
        return "Parameter " + std::to_string(control.groupIndex + 1) + " value";
    return std::string(control.caption);
}

const ControlSpec* findControl(std::string_view objectName)
{
    for (const ControlSpec& control : kControls) {
        if (controlName(control) == objectName)
            return &control;
    }
    return nullptr;
}

} // namespace calctutor
