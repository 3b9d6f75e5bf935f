#pragma once
// Text rules that more than one layer needs: the course compares
// routine names with them, and the record files' text functions offer them.
// Texts are single-byte Windows-1252 strings.

#include <string>
#include <string_view>

namespace calctutor {

// The text without its spaces and hyphens: "graph 2" gives "graph2".
std::string remSpaces(std::string_view text);

} // namespace calctutor
