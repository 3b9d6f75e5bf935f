#include "records/RecordLines.h"

#include "records/TextCoding.h"

namespace calctutor {

std::string recordLine(std::string_view text)
{
    std::string line;
    line.reserve(text.size() + kLineEnd.size());
    line.append(text).append(kLineEnd);
    return line;
}

std::string startHeader(std::string_view codeLine, std::string_view assignmentNumber, std::string_view headerEntry,
                        std::string_view date, int codeNumber)
{
    return recordLine(codeLine) + recordLine(code("assignment #" + std::string(assignmentNumber), codeNumber))
        + recordLine(code(headerEntry, codeNumber)) + recordLine("") + recordLine(date);
}

} // namespace calctutor
