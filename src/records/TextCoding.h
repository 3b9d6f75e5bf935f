#pragma once
// The text functions of the record files: `code` (which leaves a text as it is),
// `decode`, `remSpaces` for routine names (from core, where the course's routine
// names use it too), and `makeCodeLine`, the random-looking first line of every start
// header. Texts are single-byte Windows-1252 strings.

#include "core/PlainText.h"

#include <string>
#include <string_view>

namespace calctutor {

class RandomSource;

std::string code(std::string_view text, int codeNumber);

// Maps each character by its code; characters B to v are dropped, and so are
// characters whose computed code would fall outside 0 to 255.
std::string decode(std::string_view text, int codeNumber);

// codeNumber main characters (codes 118 to 255), each preceded with a chance of
// one in ten by a filler character (codes 66 to 116).
std::string makeCodeLine(int codeNumber, RandomSource& random);

} // namespace calctutor
