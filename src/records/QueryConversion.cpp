#include "records/QueryConversion.h"

#include "core/TutorState.h"
#include "platform/NativeFiles.h"
#include "records/RecordLines.h"
#include "records/RecordMessages.h"
#include "records/RecordViewers.h"
#include "records/TextCoding.h"
#include "script/ScriptFormat.h"

namespace calctutor {

std::string convertQueryLines(std::string_view content, int codeNumber)
{
    std::string out;
    for (const std::string_view line : splitLines(content)) {
        const std::string start = toLower(leftOf(line, 6));
        if (start == "assign")
            out += recordLine(line);
        else if (start == "query ")
            out += recordLine("query" + code(line.size() > 7 ? line.substr(7) : std::string_view{}, codeNumber));
        else
            out += recordLine(code(line, codeNumber));
    }
    return out;
}

std::optional<Failure> codeFile(TutorState& state)
{
    const std::string input = native::joinPath(state.dataFolder, "query.txt");
    const std::string output = native::joinPath(state.dataFolder, "queri.txt");
    if (native::inspect(input).kind == native::PathKind::Missing)
        return nothingToConvert(input);
    const FileRead read = readWholeFile(input, "query file");
    if (!read.content)
        return read.failure;
    const std::vector<std::string_view> lines = splitLines(*read.content);
    if (lines.empty())
        return emptyQuery(input);
    const int codeNumber = static_cast<int>(lines.front().size());
    const std::string converted = convertQueryLines(*read.content, codeNumber);

    // Written beside the target and renamed over it, so a failed write leaves
    // any earlier queri.txt as it was.
    if (auto fault = native::replaceFile(output, converted))
        return becauseOf({.what = "The converted file", .doing = "cannot be written", .path = output}, *fault);
    state.codeNumber = codeNumber;
    return std::nullopt;
}

} // namespace calctutor
