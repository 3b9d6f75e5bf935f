#pragma once
// Converts the query file query.txt of the output folder into queri.txt, line
// by line: lines that begin with "assign" are copied, lines that begin with
// "query " get the prefix "query" before the coded rest, other lines are
// coded. The code number becomes the length of query.txt's first line.

#include "records/Failure.h"

#include <optional>
#include <string>
#include <string_view>

namespace calctutor {

struct TutorState;

// The converted text of query.txt, lines ending in CR LF.
std::string convertQueryLines(std::string_view content, int codeNumber);

// Why query.txt cannot be converted (missing, empty, unreadable) or queri.txt
// cannot be written, for failureSentence; then nothing is written and
// codeNumber keeps its value.
[[nodiscard]] std::optional<Failure> codeFile(TutorState& state);

} // namespace calctutor
