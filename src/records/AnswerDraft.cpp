#include "records/AnswerDraft.h"

#include "core/TutorState.h"
#include "platform/NativeFiles.h"
#include "records/EntryLimits.h"

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

FoundDraft findDraft(const std::string& draftPath)
{
    if (draftPath.empty() || native::inspect(draftPath).kind == native::PathKind::Missing)
        return {};
    auto notPutBack = [&](const std::string& why) {
        return FoundDraft{std::nullopt,
                          "An answer that you had typed but not recorded was kept in " + draftPath
                              + ", but it was not put back in the answer box: " + why + "."};
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
        return notPutBack("it is " + std::to_string(size) + " bytes long, more than the "
                          + std::to_string(kLongestAnswer)
                          + " bytes that the answer box takes. Open it in a text editor to copy what you need");
    std::string text;
    if (auto readFault = file.readAt(0, static_cast<std::size_t>(size), text))
        return notPutBack(readFault->reason);
    if (text.find('\0') != std::string::npos)
        return notPutBack("it holds NUL bytes, so it is not text the tutor wrote");
    if (text.empty())
        return {};
    return {std::move(text), std::nullopt};
}

} // namespace calctutor
