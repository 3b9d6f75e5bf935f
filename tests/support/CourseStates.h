#pragma once
// A tutor state whose course holds the given entries from index 1,
// positioned on index 1, as reading and navigation see it.

#include "core/TutorState.h"

#include <string>
#include <utility>
#include <vector>

namespace calctutor::testing {

inline TutorState stateWith(const std::vector<std::string>& entries, std::string nextAssignment = "002")
{
    TutorState state;
    for (std::size_t i = 0; i < entries.size(); ++i)
        state.scriptLines[i + 1] = entries[i];
    state.lineIndex = 1;
    state.nextAssignmentNumber = std::move(nextAssignment);
    return state;
}

} // namespace calctutor::testing
