#pragma once
// The two buttons that move the student through the course. "Next Question /
// Answer" reads to the next stop, runs a routine stop and reads once more, and
// hands back the text to add to the question box; "next picture" runs routine
// entries one and two entries ahead without showing anything.

#include "core/Flow.h"

#include <string>
#include <string_view>

namespace calctutor {

struct TutorState;
class GraphDisplay;

struct NextQuestionOutcome {
    Flow flow = Flow::Continue;
    bool resetAnswerBox = false;
    std::string textToShow; // "{}" already turned into line breaks
};

// Runs a routine by name (any case): "graph1" to "graph3" show their graph,
// "exitprog" and every unknown name end the program.
[[nodiscard]] Flow runRoutine(std::string_view name, GraphDisplay& graphs);

[[nodiscard]] NextQuestionOutcome nextQuestion(TutorState& state, GraphDisplay& graphs);
[[nodiscard]] Flow nextPicture(TutorState& state, GraphDisplay& graphs);

} // namespace calctutor
