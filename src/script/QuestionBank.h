#pragma once
// The course built into the program: the course files compiled in, loaded
// into the course's entries from index 1 upward.

#include "script/CourseFile.h"

#include <vector>

namespace calctutor {

struct TutorState;

// The course files in the order in which they are loaded.
std::vector<CourseSource> builtInCourse();

// Fills state.scriptLines from index 1; lineIndex is 0 before and after.
void loadQuestionBank(TutorState& state);

// Stores already parsed entries the same way (for authors' tools and tests).
void storeEntries(TutorState& state, const std::vector<CourseEntry>& entries);

} // namespace calctutor
