#include "records/AnswerDraft.h"

#include "core/TutorState.h"
#include "platform/NativeFiles.h"
#include "records/EntryLimits.h"
#include "records/RecordMessages.h"

namespace calctutor {

std::optional<Failure> keepDraft(const TutorState& state, const std::string& answerText, std::string_view typedUtf8)
{
    if (state.draftFilePath.empty())
        return std::nullopt;
    const bool blank = typedUtf8.find_first_not_of(" \t\r\n") == std::string_view::npos;
    if (blank || answerText == state.responsePrompt) {
        discardDraft(state.draftFilePath);
        return std::nullopt;
    }
    if (auto fault = native::replaceFile(state.draftFilePath, typedUtf8))
        return becauseOf({.doing = "The answer you are typing cannot be kept safe in", .path = state.draftFilePath},
                         *fault);
    return std::nullopt;
}

void discardDraft(const std::string& draftPath)
{
    if (!draftPath.empty())
        (void)native::removeFile(draftPath);
}

FoundDraft findDraft(const std::string& draftPath)
{
    if (draftPath.empty() || native::inspect(draftPath).kind == native::PathKind::Missing)
        return {};
    auto notPutBack = [&](const std::string& why) {
        return FoundDraft{std::nullopt,
                          Failure{.doing = "put back in the answer box", .path = draftPath, .reason = why}};
    };
    // Read without following a link: a draft is the tutor's own file, never
    // another file's text offered as the student's answer.
    native::File file;
    std::uint64_t size = 0;
    std::optional<native::Fault> fault = native::File::open(draftPath, native::File::Mode::ReadOwn, file);
    if (!fault)
        fault = file.size(size);
    if (fault)
        return notPutBack(fault->reason);
    if (size > kLongestAnswer)
        return notPutBack(draftTooLongReason(size, kLongestAnswer));
    std::string text;
    if (auto readFault = file.readAt(0, static_cast<std::size_t>(size), text))
        return notPutBack(readFault->reason);
    if (text.find('\0') != std::string::npos)
        return notPutBack(draftHoldsNulReason());
    if (text.empty())
        return {};
    return {std::move(text), std::nullopt};
}

} // namespace calctutor
