#include "script/Navigation.h"

#include "core/TutorState.h"
#include "script/ScriptFormat.h"

#include "CourseStates.h"
#include "Fakes.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

using testing::RecordedGraphs;

using testing::stateWith;

// The layout around a routine: answer, separator, routine, separator, question.
const std::vector<std::string> kRoutineStretch = {
    "002.  ", "", "`q001.  Q", "", "`aSee the graph.", "", "`routine graph2", "", "`q002.  Next{}{}line", "", "003."};

TEST(NextQuestion, RunsARoutineStopAndShowsTheStopAfterIt)
{
    TutorState state = stateWith(kRoutineStretch, "003");
    RecordedGraphs graphs;
    (void)nextQuestion(state, graphs);
    EXPECT_EQ(nextQuestion(state, graphs).textToShow, "See the graph.");
    const NextQuestionOutcome outcome = nextQuestion(state, graphs);
    EXPECT_TRUE(outcome.resetAnswerBox); // the answer went unanswered before the routine
    EXPECT_EQ(graphs.shown, std::vector<int>{2});
    EXPECT_EQ(outcome.textToShow, "`q002.  Next\r\n\r\nline");
    EXPECT_EQ(state.lineIndex, 9);
    EXPECT_EQ(state.currentLine, "");
    EXPECT_EQ(state.lastLine, "`q002.  Next{}{}line"); // the records keep the marks as stored
    EXPECT_EQ(nextQuestion(state, graphs).flow, Flow::EndProgram);
}

TEST(NextQuestion, ARoutineBeforeTheNextHeaderEndsTheProgramInTheSamePress)
{
    TutorState state = stateWith({"002.  ", "", "`aLast answer", "", "`routine graph2", "", "003.", "`q001.  Next"},
                                 "003");
    RecordedGraphs graphs;
    EXPECT_EQ(nextQuestion(state, graphs).textToShow, "Last answer");
    const NextQuestionOutcome outcome = nextQuestion(state, graphs);
    EXPECT_EQ(outcome.flow, Flow::EndProgram);
    EXPECT_EQ(outcome.textToShow, "");
    EXPECT_EQ(graphs.shown, std::vector<int>{2});
    EXPECT_EQ(state.lineIndex, 7);
}

TEST(NextQuestion, ShowsABareRoutineMarkerAsText)
{
    TutorState state = stateWith({"002.", "`routine", "`routine graph3", "`routine graph1"}, "003");
    RecordedGraphs graphs;
    EXPECT_EQ(nextQuestion(state, graphs).textToShow, "`routine");
    // A routine followed directly by another: the second is shown, not run.
    EXPECT_EQ(nextQuestion(state, graphs).textToShow, "`routine graph1");
    EXPECT_EQ(graphs.shown, std::vector<int>{3});
}

TEST(NextQuestion, UnknownRoutinesAndExitprogEndTheProgram)
{
    for (const char* routine : {"`routine exitprog", "`routine graph4", "`routine   ", "`Routine Exit-Prog"}) {
        TutorState state = stateWith({"002.", routine, "`q001.  never shown"}, "003");
        RecordedGraphs graphs;
        const NextQuestionOutcome outcome = nextQuestion(state, graphs);
        EXPECT_EQ(outcome.flow, Flow::EndProgram) << routine;
        EXPECT_EQ(outcome.textToShow, "") << routine;
        EXPECT_EQ(state.lineIndex, 2) << routine;
    }
}

TEST(RunRoutine, TakesNamesInAnyCase)
{
    RecordedGraphs graphs;
    EXPECT_EQ(runRoutine("GRAPH2", graphs), Flow::Continue);
    EXPECT_EQ(runRoutine("graph1", graphs), Flow::Continue);
    EXPECT_EQ(runRoutine("", graphs), Flow::EndProgram);
    EXPECT_EQ(runRoutine("exitprog", graphs), Flow::EndProgram);
    EXPECT_EQ(runRoutine("graph4", graphs), Flow::EndProgram) << "a graph that graphs.txt does not list";
    EXPECT_EQ(graphs.shown, (std::vector<int>{2, 1}));
}

TEST(NextPicture, RunsTheRoutineTwoAheadAndMovesOntoIt)
{
    TutorState state = stateWith(kRoutineStretch, "003");
    RecordedGraphs graphs;
    (void)nextQuestion(state, graphs);
    (void)nextQuestion(state, graphs); // the answer, index 5
    state.awaitingResponse = false;
    const std::string lastLine = state.lastLine;
    EXPECT_EQ(nextPicture(state, graphs), Flow::Continue);
    EXPECT_EQ(graphs.shown, std::vector<int>{2});
    EXPECT_EQ(state.lineIndex, 7);
    EXPECT_EQ(state.lastLine, lastLine);
    EXPECT_FALSE(state.awaitingResponse);
    // The next question follows without running the routine again.
    EXPECT_EQ(nextQuestion(state, graphs).textToShow, "`q002.  Next\r\n\r\nline");
    EXPECT_EQ(graphs.shown, std::vector<int>{2});
}

TEST(NextPicture, LooksTwoPastTheNewPositionAfterAMove)
{
    // The ninth character only separates the name, whatever it is.
    TutorState state = stateWith({"002.", "`routine graph1", "", "`ROUTINE_GRAPH3"}, "003");
    RecordedGraphs graphs;
    EXPECT_EQ(nextPicture(state, graphs), Flow::Continue);
    EXPECT_EQ(graphs.shown, (std::vector<int>{1, 3}));
    EXPECT_EQ(state.lineIndex, 4);
}

TEST(NextPicture, DoesNothingWithoutARoutineAheadAndStaysInsideTheScript)
{
    TutorState state = stateWith({"002.", "", "`q001.  Q"}, "003");
    RecordedGraphs graphs;
    EXPECT_EQ(nextPicture(state, graphs), Flow::Continue);
    EXPECT_EQ(state.lineIndex, 1);
    state.lineIndex = kLastScriptIndex - 1;
    state.scriptLines[kLastScriptIndex] = "`routine graph2";
    EXPECT_EQ(nextPicture(state, graphs), Flow::Continue);
    EXPECT_EQ(state.lineIndex, kLastScriptIndex);
    EXPECT_EQ(nextPicture(state, graphs), Flow::Continue);
    EXPECT_EQ(graphs.shown, std::vector<int>{2});
}

TEST(NextPicture, RunsEvenABareRoutineMarker)
{
    TutorState state = stateWith({"002.", "`routine"}, "003");
    RecordedGraphs graphs;
    EXPECT_EQ(nextPicture(state, graphs), Flow::EndProgram); // its name is empty
}

TEST(ExpandLineBreaks, TurnsEachMarkIntoCrLf)
{
    EXPECT_EQ(expandLineBreaks("a{}b"), "a\r\nb");
    EXPECT_EQ(expandLineBreaks("a{}{}b"), "a\r\n\r\nb");
    EXPECT_EQ(expandLineBreaks("{ } { {}}"), "{ } { \r\n}");
    EXPECT_EQ(expandLineBreaks("{{}}"), "{\r\n}");
    EXPECT_EQ(expandLineBreaks(""), "");
}

} // namespace
} // namespace calctutor
