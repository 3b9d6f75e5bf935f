#pragma once
// The answer being typed, kept in a hidden file beside the record files so
// that a crash or a power cut does not lose it: replaced whole while the
// student types, removed once the answer is recorded or the box is cleared,
// and offered back at the next start of the same assignment. The draft keeps
// the box's own UTF-8 text, so a character the record files cannot hold is
// not lost either.

#include "records/Failure.h"

#include <optional>
#include <string>
#include <string_view>

namespace calctutor {

struct TutorState;

// Keeps the answer box's text; a blank box or the untouched invitation
// (answerText is the box as Windows-1252) leaves no draft. A failure when the
// draft cannot be written (draftNotKeptMessage words it).
[[nodiscard]] std::optional<Failure> keepDraft(const TutorState& state, const std::string& answerText,
                                               std::string_view typedUtf8);
void discardDraft(const std::string& draftPath);

// What start-up finds at the draft's name: its UTF-8 text to put back, or why
// a draft that is there is not put back (larger than the answer box takes,
// not text, not a plain file of its own; draftNotPutBackMessage words it).
// Neither when there is no draft or it is empty.
struct FoundDraft {
    std::optional<std::string> text;
    std::optional<Failure> failure;
};
FoundDraft findDraft(const std::string& draftPath);

// A notice, not a failure.
inline constexpr std::string_view kDraftRestoredMessage =
    "An answer that you had typed but not recorded was found and put back in the answer box.";

} // namespace calctutor
