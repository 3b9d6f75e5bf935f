#include "records/AnswerDraft.h"

#include "core/TutorState.h"
#include "platform/NativeFiles.h"

namespace calctutor {

std::optional<std::string> keepDraft(const TutorState& state, const std::string& answerText, std::string_view typedUtf8)
{
    if (state.draftFilePath.empty())
        return std::nullopt;
    const bool blank = typedUtf8.find_first_not_of(" \t\r\n") == std::string_view::npos;
    if (blank || answerText == state.responsePrompt) {
        discardDraft(state.draftFilePath);
        return std::nullopt;
    }
    if (auto fault = native::replaceFile(state.draftFilePath, typedUtf8))
        return "The answer you are typing cannot be kept safe in " + state.draftFilePath + ": " + fault->reason
            + ". It is still in the answer box; record it or save it as a note soon.";
    return std::nullopt;
}

void discardDraft(const std::string& draftPath)
{
    if (!draftPath.empty())
        (void)native::removeFile(draftPath);
}

std::optional<std::string> findDraft(const std::string& draftPath)
{
    // A missing or unreadable draft is simply not offered: the student loses
    // nothing that is not still in the record files.
    std::string text;
    if (draftPath.empty() || native::inspect(draftPath).kind != native::PathKind::File
        || native::readFile(draftPath, text) || text.empty())
        return std::nullopt;
    return text;
}

} // namespace calctutor
