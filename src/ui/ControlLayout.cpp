#include "ui/ControlLayout.h"

namespace calctutor {

std::string controlName(const ControlSpec& spec)
{
    std::string name(spec.name);
    if (spec.groupIndex >= 0)
        name += "_" + std::to_string(spec.groupIndex);
    return name;
}

std::string accessibleNameOf(const ControlSpec& spec)
{
    if (spec.name == "txt_question")
        return "Question box";
    if (spec.name == "txt_answer")
        return "Answer box";
    if (spec.name == "Picture1")
        return "Left picture panel";
    if (spec.name == "Picture2")
        return "Right picture panel";
    if (spec.name == "List1")
        return "List (not used)";
    // Two buttons share the caption "Make Paragraph", and these three buttons have no action.
    if (spec.name == "cmd_Make_paragraph")
        return "Make Paragraph, answer side (not used)";
    if (spec.name == "cmd_Make_Paragraph_question")
        return "Make Paragraph, question side (not used)";
    if (spec.name == "cmd_timerTrigger")
        return "Trigger Timer (not used)";
    if (spec.name == "txt_paragraph_goback")
        return "Number of sentences previous";
    if (spec.name == "txt_parameter")
        return "Parameter " + std::to_string(spec.groupIndex + 1) + " value";
    return std::string(spec.caption);
}

const ControlSpec* findControl(std::string_view objectName)
{
    for (const ControlSpec& spec : kControls) {
        if (controlName(spec) == objectName)
            return &spec;
    }
    return nullptr;
}

} // namespace calctutor
