#pragma once
// Start-up: prepares the tutor for one student and one assignment before the
// window is first shown. It draws the run's code number, asks for the name,
// the output folder and the assignment, builds the record file paths and
// loads the course. Finding the assignment and writing the start header are
// left to assignment entry.

#include "core/Flow.h"

#include <string>

namespace calctutor {

struct TutorState;
struct TutorServices;

// Ends the program only when the student gives up choosing an assignment.
[[nodiscard]] Flow setupStudent(TutorState& state, const TutorServices& services);

// The characters of the name that cannot stand in a file name, if any.
std::string unsafeNameCharacters(const std::string& name);

// The three record file paths for this name, folder and date (mm-dd-yyyy).
void buildRecordPaths(TutorState& state, const std::string& name, const std::string& date);

} // namespace calctutor
