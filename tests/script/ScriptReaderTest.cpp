#include "script/ScriptReader.h"

#include "core/TutorState.h"

#include "CourseStates.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

using testing::stateWith;

TEST(ScriptReader, WalksQuestionAndAnswerStopsOverSeparators)
{
    TutorState state = stateWith({"001.  Title", "", "`q001.  First?", "", "`a The answer", "", "", "`q002.  Second?",
                                  "`aNo separator", "", "002.  "});
    ReadOutcome read = readNextQuestion(state);
    EXPECT_EQ(read.flow, Flow::Continue);
    EXPECT_EQ(state.lineIndex, 3);
    EXPECT_EQ(state.currentLine, "`q001.  First?");
    EXPECT_EQ(state.lastLine, "`q001.  First?");
    EXPECT_EQ(state.lineKind, "question");
    EXPECT_EQ(state.questionNumber, "1");
    EXPECT_TRUE(state.awaitingResponse);
    EXPECT_FALSE(read.resetAnswerBox);

    read = readNextQuestion(state);
    EXPECT_TRUE(read.resetAnswerBox); // the question went unanswered
    EXPECT_EQ(state.lineIndex, 5);
    EXPECT_EQ(state.currentLine, " The answer"); // marker removed, leading space kept
    EXPECT_EQ(state.lineKind, "answer");

    state.awaitingResponse = false; // a response was recorded
    read = readNextQuestion(state);
    EXPECT_FALSE(read.resetAnswerBox);
    EXPECT_EQ(state.lineIndex, 8);
    EXPECT_EQ(state.questionNumber, "2");

    read = readNextQuestion(state);
    EXPECT_EQ(state.lineIndex, 9);
    EXPECT_EQ(state.currentLine, "No separator");

    read = readNextQuestion(state);
    EXPECT_EQ(read.flow, Flow::EndProgram);
    EXPECT_EQ(state.lineIndex, 11);
}

TEST(ScriptReader, TextAndRoutineStopsKeepTheKind)
{
    TutorState state = stateWith(
        {"001.", "", "`q001.  Q", "", "\r\n\r\nStep two", "`routine graph2", "`Question?", "`ROUTINE x"});
    (void)readNextQuestion(state);
    (void)readNextQuestion(state);
    EXPECT_EQ(state.currentLine, "\r\n\r\nStep two");
    EXPECT_EQ(state.lineKind, "question");
    EXPECT_TRUE(state.awaitingResponse);

    (void)readNextQuestion(state);
    EXPECT_EQ(state.currentLine, "`routine graph2");
    EXPECT_FALSE(state.awaitingResponse); // routine stops wait for nothing
    EXPECT_EQ(state.lastLine, "`routine graph2");

    (void)readNextQuestion(state);
    EXPECT_EQ(state.currentLine, "`Question?"); // capital Q: a text entry
    EXPECT_EQ(state.lineKind, "question");
    EXPECT_TRUE(state.awaitingResponse);

    (void)readNextQuestion(state);
    EXPECT_FALSE(state.awaitingResponse); // the routine marker is compared in lower case
}

TEST(ScriptReader, ALoneAnswerMarkerIsSkippedButSetsTheKind)
{
    TutorState state = stateWith({"001.", "`q001.  Q", "`a", "\r\n\r\nmore"});
    (void)readNextQuestion(state);
    (void)readNextQuestion(state);
    EXPECT_EQ(state.lineIndex, 4);
    EXPECT_EQ(state.lineKind, "answer");
    EXPECT_EQ(state.lastLine, "\r\n\r\nmore");
}

struct EndRow {
    const char* name;
    const char* stop;
    bool ends;
};

class ScriptReaderEnds : public ::testing::TestWithParam<EndRow> {};

TEST_P(ScriptReaderEnds, AtTheNextHeaderOrTheEndMarker)
{
    TutorState state = stateWith({"001.", "", GetParam().stop});
    const ReadOutcome read = readNextQuestion(state);
    EXPECT_EQ(read.flow == Flow::EndProgram, GetParam().ends);
    EXPECT_EQ(state.currentLine,
              GetParam().stop[0] == '`' && GetParam().stop[1] == 'a' ? GetParam().stop + 2 : GetParam().stop);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, ScriptReaderEnds,
    ::testing::Values(EndRow{"NextHeader", "002.  ", true}, EndRow{"HeaderWithoutTitle", "002.", true},
                      EndRow{"TextStartingWithTheNumber", "002 apples", true},
                      EndRow{"AnswerStartingWithTheNumber", "`a002. see", true}, EndRow{"OtherHeader", "003.  ", false},
                      EndRow{"EndMarker", "####.#", true}, EndRow{"EndMarkerFollowedByText", "####.# the end", true},
                      EndRow{"AlmostEndMarker", "####.x", false}, EndRow{"Question", "`q002.  x", false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ScriptReader, EndsTheProgramWhenTheScriptRunsOut)
{
    TutorState state = stateWith({"017.  "}, "018");
    const ReadOutcome read = readNextQuestion(state);
    EXPECT_EQ(read.flow, Flow::EndProgram);
    EXPECT_EQ(state.lineIndex, kLastScriptIndex);
}

TEST(ScriptReader, FindsAStopOnTheLastIndex)
{
    TutorState state;
    state.nextAssignmentNumber = "002";
    state.lineIndex = kLastScriptIndex - 1;
    state.scriptLines[kLastScriptIndex] = "last words";
    EXPECT_EQ(readNextQuestion(state).flow, Flow::Continue);
    EXPECT_EQ(state.currentLine, "last words");
    EXPECT_EQ(readNextQuestion(state).flow, Flow::EndProgram);
    EXPECT_EQ(state.lineIndex, kLastScriptIndex);
}

struct NumberRow {
    const char* stop;
    const char* number; // nullptr: no number
};

class QuestionNumbers : public ::testing::TestWithParam<NumberRow> {};

TEST_P(QuestionNumbers, ComeFromTheMarkerOrTheAnnouncedFirstQuestion)
{
    const auto number = questionNumberOf(GetParam().stop);
    if (GetParam().number == nullptr)
        EXPECT_FALSE(number.has_value());
    else
        EXPECT_EQ(number.value_or("none"), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, QuestionNumbers,
    ::testing::Values(NumberRow{"`q002.  What?", "2"}, NumberRow{"`q012.  What?", "12"}, NumberRow{"`q000.", "0"},
                      NumberRow{"`qNote that there are four questions.  \r\n\r\n`q001.  First", "1"},
                      NumberRow{"`qNote that there are four questions.  \r\n\r\nq001.  First", "1"},
                      NumberRow{"`qNote that there are 9.  \r\n\r\n003.  Third", "3"},
                      NumberRow{"`q001.  Note that there are 5 questions in thie assignment.", "1"},
                      NumberRow{"`qNote that this time we do not need to solve it.", nullptr},
                      NumberRow{"`q12.  Two digits", nullptr}, NumberRow{"`q", nullptr}),
    [](const auto& row) { return "stop" + std::to_string(row.index); });

TEST(ScriptReader, KeepsTheQuestionNumberAtStopsThatCarryNone)
{
    TutorState state = stateWith({"016.", "`q007.  Seven", "`qNote that this time ...", "\r\n\r\nStep"}, "017");
    for (int i = 0; i < 3; ++i)
        (void)readNextQuestion(state);
    EXPECT_EQ(state.questionNumber, "7");
}

} // namespace
} // namespace calctutor
