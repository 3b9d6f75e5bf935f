#include "script/Navigation.h"

#include "core/Services.h"
#include "core/TutorState.h"
#include "script/GraphData.h"
#include "script/ScriptFormat.h"
#include "script/ScriptReader.h"

namespace calctutor {

Flow runRoutine(std::string_view name, GraphDisplay& graphs)
{
    if (const Graph* graph = graphForRoutine(courseGraphs(), toLower(name))) {
        graphs.showGraph(graph->number);
        return Flow::Continue;
    }
    return Flow::EndProgram; // "exitprog", and any name the tutor does not know
}

NextQuestionOutcome nextQuestion(TutorState& state, GraphDisplay& graphs)
{
    NextQuestionOutcome outcome;
    ReadOutcome read = readNextQuestion(state);
    outcome.resetAnswerBox = read.resetAnswerBox;
    if (read.flow == Flow::EndProgram) {
        outcome.flow = Flow::EndProgram;
        return outcome;
    }
    if (state.currentLine.size() > kRoutineMarker.size() && isRoutineStop(state.currentLine)) {
        const std::string name = routineName(state.currentLine);
        state.currentLine.clear();
        if (runRoutine(name, graphs) == Flow::EndProgram) {
            outcome.flow = Flow::EndProgram;
            return outcome;
        }
        read = readNextQuestion(state);
        outcome.resetAnswerBox = outcome.resetAnswerBox || read.resetAnswerBox;
        if (read.flow == Flow::EndProgram) {
            outcome.flow = Flow::EndProgram;
            return outcome;
        }
    }
    outcome.textToShow = expandLineBreaks(state.currentLine);
    state.currentLine.clear();
    return outcome;
}

Flow nextPicture(TutorState& state, GraphDisplay& graphs)
{
    for (int k = 1; k <= 2; ++k) {
        const int index = state.lineIndex + k;
        if (index > kLastScriptIndex)
            return Flow::Continue;
        const std::string& entry = state.scriptLines[static_cast<std::size_t>(index)];
        if (isRoutineStop(entry)) {
            if (runRoutine(routineName(entry), graphs) == Flow::EndProgram)
                return Flow::EndProgram;
            state.lineIndex += k;
        }
    }
    return Flow::Continue;
}

} // namespace calctutor
