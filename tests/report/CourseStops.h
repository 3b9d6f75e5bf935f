#pragma once
// Stops of the built-in course, for record files whose entries must be placed.

#include "core/TutorState.h"
#include "script/QuestionBank.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace calctutor::testing {

// The first entry of the assignment that begins with the text, as the tutor
// records it as a context line (an answer stop without its marker).
inline std::string courseStop(int assignment, std::string_view begins)
{
    static const TutorState state = [] {
        TutorState loaded;
        loadQuestionBank(loaded);
        return loaded;
    }();
    const std::string header = (assignment < 10 ? "00" : "0") + std::to_string(assignment) + ".";
    bool inside = false;
    for (const std::string& entry : state.scriptLines) {
        if (entry.size() >= 4 && entry[3] == '.' && entry[0] >= '0' && entry[0] <= '9')
            inside = entry.starts_with(header);
        if (inside && entry.starts_with(begins))
            return entry.starts_with("`a") ? entry.substr(2) : entry;
    }
    throw std::runtime_error("no such stop: " + std::string(begins));
}

} // namespace calctutor::testing
