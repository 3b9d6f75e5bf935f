#include "core/TutorState.h"
#include "script/CourseCheck.h"
#include "script/CourseFile.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "startup/AssignmentEntry.h"

#include <gtest/gtest.h>

#include <map>

namespace calctutor {
namespace {

std::vector<CourseEntry> parseOne(const std::string& content, std::vector<CourseProblem>* problems = nullptr)
{
    ParsedCourse parsed = parseCourse({{"001.course", content}});
    if (problems != nullptr)
        *problems = parsed.problems;
    else
        EXPECT_TRUE(parsed.problems.empty()) << parsed.problems.front().message;
    return parsed.entries;
}

TEST(CourseFile, KeepsEveryCharacterOfAnEntry)
{
    const auto entries = parseOne("# comment\n"
                                  ">002.  |   \n"
                                  "\n"
                                  "-\r\n"
                                  ">|\n"
                                  "+|\n"
                                  "+`q001.  |x| and {} stay|\n"
                                  ">Click on 'Next Picture' to see graph. |\n");
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "002.  ");
    EXPECT_EQ(entries[1].text, "");
    EXPECT_EQ(entries[2].text, "\r\n\r\n`q001.  |x| and {} stay");
    EXPECT_EQ(entries[3].text, "Click on 'Next Picture' to see graph. ");
    EXPECT_EQ(entries[2].line, 5);
}

TEST(CourseFile, ReportsLinesThatCouldChangeTheCourseSilently)
{
    std::vector<CourseProblem> problems;
    parseOne(">no end mark\n"
             "-\n"
             "+continues a separator|\n"
             ">tab\there|\n"
             "plain text\n",
             &problems);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_EQ(problems[0].line, 1);
    EXPECT_EQ(problems[1].line, 3);
    EXPECT_EQ(problems[2].line, 4);
    EXPECT_EQ(problems[3].line, 5);
}

std::vector<CourseProblem> checkText(const std::vector<CourseSource>& files)
{
    return checkCourse(parseCourse(files));
}

const CourseSource kGoodOne{"001.course", ">001.  A|\n-\n>`q001.  Q|\n-\n>`aA|\n-\n>`routine graph2|\n-\n"};
const CourseSource kClosing{"002.course", ">002.  |\n"};

TEST(CourseCheck, AcceptsASoundCourse)
{
    EXPECT_TRUE(checkText({kGoodOne, kClosing}).empty());
}

struct FaultRow {
    const char* name;
    std::vector<CourseSource> files;
};

class CourseFaults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(CourseFaults, AreReported)
{
    EXPECT_FALSE(checkText(GetParam().files).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Courses, CourseFaults,
    ::testing::Values(
        FaultRow{"GapInNumbers", {kGoodOne, {"003.course", ">003.  |\n"}}}, FaultRow{"NoClosingHeader", {kGoodOne}},
        FaultRow{"HeaderInsideAFile", {{"001.course", ">001.|\n-\n>`q001.  Q|\n>002.|\n"}, kClosing}},
        FaultRow{"UnknownRoutine",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n-\n>`aA|\n-\n>`routine graf2|\n-\n"}, kClosing}},
        FaultRow{"RoutineNotAfterAnAnswer",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n-\n>`routine graph2|\n-\n"}, kClosing}},
        FaultRow{"AnswerThatLooksLikeAHeader", {{"001.course", ">001.|\n-\n>`a002. no|\n-\n"}, kClosing}},
        FaultRow{"NoSeparatorAfterHeader", {{"001.course", ">001.|\n>`q001.  Q|\n"}, kClosing}},
        FaultRow{"EmptyAssignment", {{"001.course", ">001.|\n-\n"}, kClosing}},
        FaultRow{"TooLong", {{"001.course", ">001.|\n-\n>`q" + std::string(1700, 'x') + "|\n"}, kClosing}},
        FaultRow{"MissingEndMark", {{"001.course", ">001.|\n-\n>`q001.  Q\n"}, kClosing}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(QuestionBank, LoadsTheCourseFromIndexOne)
{
    TutorState state;
    loadQuestionBank(state);
    EXPECT_EQ(state.lineIndex, 0);
    EXPECT_EQ(state.scriptLines.size(), 5001u);
    EXPECT_EQ(state.scriptLines[0], "");
    EXPECT_EQ(state.scriptLines[1], "001.  Depth vs. Clock Time and Rate of Depth Change");
    EXPECT_EQ(state.scriptLines[19], "002.  ");
}

TEST(QuestionBank, BuiltInCoursePassesTheCheck)
{
    const auto problems = checkCourse(parseCourse(builtInCourse()));
    for (const CourseProblem& problem : problems)
        ADD_FAILURE() << problem.file << ":" << problem.line << ": " << problem.message;
}

TEST(QuestionBank, AssignmentOneHasItsShape)
{
    TutorState state;
    loadQuestionBank(state);
    const std::string kinds = [&] {
        std::string letters;
        for (int i = 1; i <= 19; ++i) {
            switch (classifyEntry(state.scriptLines[static_cast<std::size_t>(i)])) {
            case EntryKind::Header: letters += 'H'; break;
            case EntryKind::Separator: letters += '-'; break;
            case EntryKind::Question: letters += 'Q'; break;
            case EntryKind::Answer: letters += 'A'; break;
            default: letters += '?';
            }
        }
        return letters;
    }();
    EXPECT_EQ(kinds, "H-Q-A-Q-A-Q-A-Q-A-H");
    EXPECT_TRUE(
        state.scriptLines[3].starts_with("`qNote that there are four questions in this assignment.  \r\n\r\n`q001.  "));
}

} // namespace
} // namespace calctutor
