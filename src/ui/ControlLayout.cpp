#include "ui/ControlLayout.h"

namespace calctutor {

std::string controlName(const ControlSpec& control)
{
    std::string name(control.name);
    if (control.groupIndex >= 0)
        name += "_" + std::to_string(control.groupIndex);
    return name;
}

std::string accessibleNameOf(const ControlSpec& control)
{
    if (control.name == "txt_question")
        return "Question box";
    if (control.name == "txt_answer")
        return "Answer box";
    if (control.name == "Picture1")
        return "Left picture panel";
    if (control.name == "Picture2")
        return "Right picture panel";
    if (control.name == "List1")
        return "List (not used)";
    // Two buttons share the caption "Make Paragraph", and these three buttons have no action.
    if (control.name == "cmd_Make_paragraph")
        return "Make Paragraph, answer side (not used)";
    if (control.name == "cmd_Make_Paragraph_question")
        return "Make Paragraph, question side (not used)";
    if (control.name == "cmd_timerTrigger")
        return "Trigger Timer (not used)";
    if (control.name == "txt_paragraph_goback")
        return "Number of sentences previous";
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
