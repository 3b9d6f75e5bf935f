#pragma once
// Conversion between the program's single-byte Windows-1252 texts and UTF-8,
// the encoding of the window's texts and of file names on this platform.
// A small table rather than a codec library: only 32 codes differ from Latin-1,
// and the result must not depend on which codecs the toolkit was built with.

#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

struct Encoded1252 {
    std::string text;                    // the characters that could be stored
    std::vector<std::string> unstorable; // distinct UTF-8 characters that could not
    bool ok() const { return unstorable.empty(); }
};

Encoded1252 utf8ToWindows1252(std::string_view utf8);
std::string windows1252ToUtf8(std::string_view text);
// The UTF-16 code of one byte; every Windows-1252 character is a single code.
char16_t windows1252ToUtf16(unsigned char byte);

} // namespace calctutor
