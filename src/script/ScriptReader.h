#pragma once
// The one operation that moves the tutor forward through the course: from the
// current position to the next stop, recording what it found in the state.
// It shows nothing itself; navigation shows the stop it leaves in currentLine.

#include "core/Flow.h"

#include <optional>
#include <string>
#include <string_view>

namespace calctutor {

struct TutorState;

struct ReadOutcome {
    Flow flow = Flow::Continue;
    // The last stop went unanswered: the answer box goes back to responsePrompt.
    bool resetAnswerBox = false;
};

[[nodiscard]] ReadOutcome readNextQuestion(TutorState& state);

// The number a question stop carries, as decimal text without leading zeros:
// the three digits and full stop after the marker ("`q002.  ..." gives "2"),
// or, in an announcement, the first later line that starts with them, with or
// without a question marker or a bare "q" in front.
std::optional<std::string> questionNumberOf(std::string_view questionStop);

} // namespace calctutor
