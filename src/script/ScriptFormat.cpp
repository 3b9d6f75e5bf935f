#include "script/ScriptFormat.h"

#include "core/PlainText.h"

#include <algorithm>
#include <cctype>

namespace calctutor {

std::string_view leftOf(std::string_view text, std::size_t n)
{
    return text.substr(0, std::min(n, text.size()));
}

std::string toLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool isRoutineStop(std::string_view text)
{
    return toLower(leftOf(text, kRoutineMarker.size())) == kRoutineMarker;
}

bool isHeaderEntry(std::string_view text)
{
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    return text.size() >= 4 && isDigit(text[0]) && isDigit(text[1]) && isDigit(text[2]) && text[3] == '.';
}

EntryKind classifyEntry(std::string_view entry)
{
    if (entry.empty() || entry == kAnswerMarker)
        return EntryKind::Separator;
    if (leftOf(entry, 2) == kQuestionMarker)
        return EntryKind::Question;
    if (leftOf(entry, 2) == kAnswerMarker)
        return EntryKind::Answer;
    if (isRoutineStop(entry))
        return EntryKind::Routine;
    if (isHeaderEntry(entry))
        return EntryKind::Header;
    if (leftOf(entry, kEndMarker.size()) == kEndMarker)
        return EntryKind::EndMarker;
    return EntryKind::Text;
}

std::string routineName(std::string_view routineEntry)
{
    const std::string_view name = routineEntry.size() > 9 ? routineEntry.substr(9) : "";
    return toLower(remSpaces(name));
}

std::string expandLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text.substr(i, kLineBreakMark.size()) == kLineBreakMark) {
            result += "\r\n";
            i += kLineBreakMark.size();
        } else {
            result.push_back(text[i++]);
        }
    }
    return result;
}

} // namespace calctutor
