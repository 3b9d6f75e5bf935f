#include "script/ScriptReader.h"

#include "core/TutorState.h"
#include "script/ScriptFormat.h"

namespace calctutor {

namespace {

std::optional<std::string> numberAtStart(std::string_view text)
{
    if (!isHeaderEntry(text))
        return std::nullopt;
    std::string digits(text.substr(0, 3));
    digits.erase(0, std::min(digits.find_first_not_of('0'), std::size_t{2}));
    return digits;
}

} // namespace

std::optional<std::string> questionNumberOf(std::string_view questionStop)
{
    const std::string_view afterMarker = questionStop.substr(kQuestionMarker.size());
    if (auto number = numberAtStart(afterMarker))
        return number;
    for (std::size_t lineStart = afterMarker.find("\r\n"); lineStart != std::string_view::npos;
         lineStart = afterMarker.find("\r\n", lineStart + 2)) {
        std::string_view line = afterMarker.substr(lineStart + 2);
        if (line.starts_with(kQuestionMarker))
            line.remove_prefix(kQuestionMarker.size());
        else if (line.starts_with('q'))
            line.remove_prefix(1);
        if (auto number = numberAtStart(line))
            return number;
    }
    return std::nullopt;
}

ReadOutcome readNextQuestion(TutorState& state)
{
    ReadOutcome outcome;
    outcome.resetAnswerBox = state.awaitingResponse;
    state.awaitingResponse = false;

    std::string stop;
    while (stop.empty()) {
        if (state.lineIndex >= kLastScriptIndex) {
            outcome.flow = Flow::EndProgram; // the course ran out without a stop
            return outcome;
        }
        ++state.lineIndex;
        stop = state.scriptLines[static_cast<std::size_t>(state.lineIndex)];
        if (leftOf(stop, 2) == kQuestionMarker) {
            state.lineKind = "question";
            if (auto number = questionNumberOf(stop))
                state.questionNumber = *number;
        } else if (leftOf(stop, 2) == kAnswerMarker) {
            stop.erase(0, kAnswerMarker.size());
            state.lineKind = "answer";
        }
        if (!stop.empty())
            state.lastLine = stop;
    }

    if (!isRoutineStop(stop))
        state.awaitingResponse = true;
    state.currentLine = stop;
    if (leftOf(stop, 3) == state.nextAssignmentNumber || leftOf(stop, kEndMarker.size()) == kEndMarker)
        outcome.flow = Flow::EndProgram;
    return outcome;
}

} // namespace calctutor
