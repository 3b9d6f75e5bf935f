#pragma once
// The fixed lines of the record files and the start header that each start of
// the tutor appends. Every line of a record file ends in CR LF.

#include <string>
#include <string_view>

namespace calctutor {

inline constexpr std::string_view kLineEnd = "\r\n";

// The text followed by CR LF.
std::string recordLine(std::string_view text);

// The five lines that mark where one start's work begins in a record file:
// the code line, "assignment #" and the number, the assignment's header entry,
// an empty line and the date. Texts are passed through code() here.
std::string startHeader(std::string_view codeLine, std::string_view assignmentNumber, std::string_view headerEntry,
                        std::string_view date, int codeNumber);

} // namespace calctutor
