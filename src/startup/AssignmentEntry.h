#pragma once
// Assignment entry: finds the chosen assignment's header in the course,
// leaves the reader on it and appends the start header to the master and send
// files.

#include "core/Flow.h"

#include <optional>
#include <string>
#include <vector>

namespace calctutor {

struct TutorState;
struct TutorServices;

// Index of the first entry from index 1 whose first four characters are the
// number followed by "."; the search never passes the course's last index.
std::optional<int> findAssignmentHeader(const std::vector<std::string>& scriptLines,
                                        const std::string& assignmentNumber);

// Whether the assignment has a stop to show before the next header or the
// end of the course: the closing header has none.
bool assignmentHasContent(const std::vector<std::string>& scriptLines, int headerIndex);

// The numbers of the assignments that can be taken, as "001 to 016".
std::string availableAssignments(const std::vector<std::string>& scriptLines);

// Ends the program (after telling the student) when the header cannot be found
// or the start header cannot be appended.
[[nodiscard]] Flow enterAssignment(TutorState& state, const TutorServices& services);

} // namespace calctutor
