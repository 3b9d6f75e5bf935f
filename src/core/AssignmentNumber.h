#pragma once
// The assignment number as the student typed it, padded to three characters,
// and the number of the assignment after it, where the reader stops.

#include <string>
#include <string_view>

namespace calctutor {

// "5" gives "005", "12" gives "012"; texts of any other length stay as they are.
std::string padAssignmentNumber(std::string_view typed);

// The leading number plus one, padded: "005" gives "006", "099" gives "100",
// "" and "abc" give "001".
std::string nextAssignmentNumber(std::string_view assignmentNumber);

} // namespace calctutor
