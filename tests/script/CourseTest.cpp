#include "core/TutorState.h"
#include "script/CourseCheck.h"
#include "script/CourseFile.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "startup/AssignmentEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
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
                                  ">002.  | \t \n"
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
    const auto entries = parseOne(">no end mark\n"
                                  ">entry|\n"
                                  "-\n"
                                  "+continues a separator|\n"
                                  ">tab\there\t|\n"
                                  "plain text\n"
                                  "-- not a separator\n",
                                  &problems);
    ASSERT_EQ(problems.size(), 5u);
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "a text line must end with '|' (the end of its text)"},
        {4, "a '+' line must follow a line that starts an entry"},
        {5, "only printable ASCII characters are allowed (found a tab or other character)"},
        {6, "a line must begin with '>', '+', '-' or '#'"},
        {7, "a line must begin with '>', '+', '-' or '#'"},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(problems[i].line, expected[i].first) << i;
        EXPECT_EQ(problems[i].message, expected[i].second) << i;
    }
    ASSERT_EQ(entries.size(), 3u); // the first entry, the separator and the entry with the tab
    EXPECT_EQ(entries[0].text, "entry");
    EXPECT_EQ(entries[1].text, "");
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
    for (const char* routine : {"graph1", "GRAPH3", "Exit-Prog"}) {
        const CourseSource file{"001.course", ">001.|\n-\n>`aA|\n-\n>`routine " + std::string(routine) + "|\n-\n"};
        EXPECT_TRUE(checkText({file, kClosing}).empty()) << routine;
    }
}

struct ExpectedProblem {
    const char* file;
    int line;
    std::string message;
};

struct FaultRow {
    const char* name;
    std::vector<CourseSource> files;
    std::vector<ExpectedProblem> problems; // in the order reported
};

class CourseFaults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(CourseFaults, AreReportedWithTheirFileLineAndReason)
{
    const std::vector<CourseProblem> found = checkText(GetParam().files);
    const std::vector<ExpectedProblem>& expected = GetParam().problems;
    ASSERT_EQ(found.size(), expected.size()) << (found.empty() ? "" : found.front().message);
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].file, expected[i].file) << i;
        EXPECT_EQ(found[i].line, expected[i].line) << i;
        EXPECT_EQ(found[i].message, expected[i].message) << i;
    }
}

const std::string kBackquoteRule = "a backquote at the start of an entry must begin \"`q\", \"`a\" or \"`routine\"";
const std::string kRoutinePlace = "a routine entry must stand between two separators, two entries after an answer";

INSTANTIATE_TEST_SUITE_P(
    Courses, CourseFaults,
    ::testing::Values(
        FaultRow{"GapInNumbers",
                 {kGoodOne, {"003.course", ">003.  |\n"}},
                 {{"003.course", 1, "header 003 found where 002 was expected"}}},
        FaultRow{"NoClosingHeader",
                 {kGoodOne},
                 {{"001.course", 1, "the last assignment must be closed by a header of its own (the closing header)"}}},
        FaultRow{"HeaderInsideAFile",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n>002.|\n"}, {"003.course", ">003.  |\n"}},
                 {{"001.course", 4, "a header entry must begin its own file (entry 4 would end the assignment here)"},
                  {"001.course", 4, "the header does not match the file name"},
                  {"001.course", 4, "assignment 002 has no stops"}}},
        FaultRow{
            "FileWithoutAHeader",
            {kGoodOne, {"002.course", "-\n>002.  |\n"}},
            {{"002.course", 1, "a course file must begin with its assignment's header entry"},
             {"002.course", 2, "a header entry must begin its own file (entry 10 would end the assignment here)"}}},
        FaultRow{"HeaderInTheWrongFile",
                 {kGoodOne, {"003.course", ">002.  |\n"}},
                 {{"003.course", 1, "the header does not match the file name"}}},
        FaultRow{"UnknownRoutine",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n-\n>`aA|\n-\n>`routine Graf Z2|\n-\n"}, kClosing},
                 {{"001.course", 7, "unknown routine \"grafz2\": it would end the program (entry 7)"}}},
        FaultRow{"RoutineNotAfterAnAnswer",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n-\n>`routine graph2|\n-\n"}, kClosing},
                 {{"001.course", 5, kRoutinePlace + " (entry 5)"}}},
        FaultRow{"RoutineAfterAText",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n>|\n+|\n+step|\n-\n>`routine graph2|\n-\n"}, kClosing},
                 {{"001.course", 8, kRoutinePlace + " (entry 6)"}}},
        FaultRow{"RoutineRightAfterAnAnswer",
                 {{"001.course", ">001.|\n-\n>`aA|\n>`aB|\n>`routine graph2|\n-\n"}, kClosing},
                 {{"001.course", 5, kRoutinePlace + " (entry 5)"}}},
        FaultRow{"FileBeginningWithAFurtherLine",
                 {{"001.course", ">001.|\n-\n>`aA|\n"}, {"002.course", "+more|\n>002.  |\n"}},
                 {{"002.course", 1, "a '+' line must follow a line that starts an entry"}}},
        FaultRow{"RoutineWithoutASeparatorAfterIt",
                 {{"001.course", ">001.|\n-\n>`aA|\n-\n>`routine graph2|\n"}, kClosing},
                 {{"001.course", 5, kRoutinePlace + " (entry 5)"}}},
        FaultRow{"AnswerThatLooksLikeAHeader",
                 {{"001.course", ">001.|\n-\n>`a002. no|\n-\n"}, kClosing},
                 {{"001.course", 3,
                   "an answer must not begin with three digits and a full stop: the tutor would end the assignment "
                   "there (entry 3)"}}},
        FaultRow{"StrayBackquote",
                 {{"001.course", ">001.|\n-\n>`Q001.  Q|\n-\n"}, kClosing},
                 {{"001.course", 3, kBackquoteRule + " (entry 3)"}}},
        FaultRow{"EndMarker",
                 {{"001.course", ">001.|\n-\n>`q001.  Q|\n>####.# end|\n"}, kClosing},
                 {{"001.course", 4, "the end marker \"####.#\" would end the program here (entry 4)"}}},
        FaultRow{"NoSeparatorAfterHeader",
                 {{"001.course", ">001.|\n>`q001.  Q|\n"}, kClosing},
                 {{"001.course", 2, "the first entry after a header must be a separator"}}},
        FaultRow{"EmptyAssignment",
                 {{"001.course", ">001.|\n-\n"}, kClosing},
                 {{"001.course", 1, "assignment 001 has no stops"}}},
        FaultRow{"OnlyALoneAnswerMarker",
                 {{"001.course", ">001.|\n-\n>`a|\n-\n"}, kClosing},
                 {{"001.course", 1, "assignment 001 has no stops"}}},
        FaultRow{"TooLong",
                 {{"001.course", ">001.|\n-\n>`q" + std::string(1599, 'x') + "|\n"}, kClosing},
                 {{"001.course", 3, "the entry has 1601 characters, more than 1600 (entry 3)"}}},
        FaultRow{"MissingEndMark",
                 {{"001.course", ">001.|\n-\n>`aA|\n>`q001.  Q\n"}, kClosing},
                 {{"001.course", 4, "a text line must end with '|' (the end of its text)"}}},
        FaultRow{"NoEntries", {{"001.course", "# nothing\n"}}, {{"", 0, "the course has no entries"}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(CourseCheck, TheLongestEntryAllowedPasses)
{
    EXPECT_TRUE(checkText({{"001.course", ">001.|\n-\n>`q" + std::string(1598, 'x') + "|\n"}, kClosing}).empty());
}

TEST(CourseCheck, TheScriptHoldsEntriesUpToItsLastIndex)
{
    // kGoodOne's eight entries and separators up to the closing header as entry 5000.
    std::string separators;
    for (int i = 0; i < 4991; ++i)
        separators += "-\n";
    const ParsedCourse full = parseCourse({{"001.course", kGoodOne.content + separators}, kClosing});
    EXPECT_TRUE(checkCourse(full).empty());
    TutorState state;
    storeEntries(state, full.entries);
    EXPECT_EQ(state.scriptLines[kLastScriptIndex], "002.  ");
    EXPECT_EQ(state.lineIndex, 0);

    const ParsedCourse over = parseCourse({{"001.course", kGoodOne.content + separators + "-\n"}, kClosing});
    const auto problems = checkCourse(over);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].file, "002.course");
    EXPECT_EQ(problems[0].message, "the course has more entries than the tutor can hold (5000)");
    storeEntries(state, over.entries); // what does not fit is left out
    EXPECT_EQ(state.scriptLines.size(), kLastScriptIndex + 1u);
    EXPECT_EQ(state.scriptLines[kLastScriptIndex], "");
}

TEST(QuestionBank, LoadsTheCourseFromIndexOne)
{
    TutorState state;
    loadQuestionBank(state);
    EXPECT_EQ(state.lineIndex, 0);
    EXPECT_EQ(state.scriptLines[0], "");
    EXPECT_EQ(state.scriptLines[1], "001.  Depth vs. Clock Time and Rate of Depth Change");
    EXPECT_EQ(state.scriptLines[19], "002.  ");
    EXPECT_EQ(state.scriptLines[508], "017.  ");
    // Nothing after the closing header: the room up to index 5000 stays empty.
    EXPECT_TRUE(std::all_of(state.scriptLines.begin() + 509, state.scriptLines.end(),
                            [](const std::string& entry) { return entry.empty(); }));
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
