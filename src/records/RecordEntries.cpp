#include "records/RecordEntries.h"

#include "core/NumberText.h"
#include "records/RecordLines.h"
#include "records/TextCoding.h"

namespace calctutor {

namespace {

constexpr std::string_view kTimeIndent = "                                    "; // 36 spaces

std::string responseEntry(const ResponseParts& parts, std::string_view time, const std::string& numberLines)
{
    std::string entry = recordLine(kOpeningLine) + recordLine(timeLine(time)) + numberLines
        + recordLine(code(parts.lastLine, parts.codeNumber)) + recordLine(kOpeningLine) + recordLine(kResponseMarker)
        + recordLine(code(parts.response, parts.codeNumber));
    if (parts.ratingLine)
        entry += recordLine(*parts.ratingLine);
    return entry + recordLine(kClosingLine);
}

} // namespace

std::string timeLine(std::string_view time)
{
    return std::string(kTimeIndent) + std::string(time);
}

std::string dateTimeLine(std::string_view date, std::string_view time)
{
    return std::string(kTimeIndent) + std::string(date) + std::string(time);
}

double recordNumber(std::string_view assignmentNumber, std::string_view questionNumber)
{
    return leadingNumber(assignmentNumber) * 10000 + leadingNumber(questionNumber);
}

std::string numberLine(double number)
{
    const std::string digits = generalNumber(number);
    return "`questionNumber" + std::string(number < 0 ? "" : " ") + digits + " ";
}

std::string masterResponseEntry(const ResponseParts& parts, std::string_view time, double number)
{
    return responseEntry(parts, time, recordLine("") + recordLine("") + recordLine(numberLine(number)));
}

std::string sendResponseEntry(const ResponseParts& parts, std::string_view time)
{
    return responseEntry(parts, time, "");
}

std::string noteEntry(std::string_view lastLine, std::string_view noteLine, std::string_view time,
                      std::string_view date, std::string_view dateLineTime, int codeNumber)
{
    return recordLine(kOpeningLine) + recordLine(timeLine(time)) + recordLine(dateTimeLine(date, dateLineTime))
        + recordLine(code(lastLine, codeNumber)) + recordLine(kOpeningLine) + recordLine(code(noteLine, codeNumber))
        + recordLine(kClosingLine);
}

} // namespace calctutor
