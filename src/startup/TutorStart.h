#pragma once
// The tutor's start, before the window is first shown: start-up for the
// student, then entry into the chosen assignment. What the window shows
// afterwards (the draft, the focus) is left to the window.

#include "core/Flow.h"

namespace calctutor {

struct TutorState;
struct TutorServices;

// EndProgram when the student gives up choosing an assignment or the
// assignment cannot be entered; the student has been told why.
[[nodiscard]] Flow startTutor(TutorState& state, const TutorServices& services);

} // namespace calctutor
