// The figures of the hand-made class (HandMadeClass.h), worked out by hand:
//   pairs (last confidence, last critique) per student and question:
//     Ann  1-1 (3,2)  1-2 (2,1)  1-3 (1,3)  1-4 (3,2)   2-1 has confidence "x": no pair
//     Bo   1-1 (0,0)  1-2 (2,3)
//     Zoë  2-1 (3,2)  2-2 (3,3)   (2-2 answered twice, 2 then 3)
//   confident misses (2-3 against 0-2): Ann 1-1, 1-2, 1-4, Zoë 2-1 = 4 of 8
//   under-confidence (0-1 against 3): Ann 1-3 = 1 of 8
#include "HandMadeClass.h"
#include "TempFolder.h"
#include "report/ClassStatistics.h"
#include "report/html/CourseQuestions.h"
#include "report/html/HtmlSite.h"
#include "report/html/IndexPage.h"
#include "report/html/StudentOverview.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace calctutor::report {
namespace {

using testing::handMadeClass;

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ClassFigures, CalibrationOfTheHandMadeClass)
{
    ClassStatistics statistics;
    for (const StudentRecord& student : handMadeClass())
        statistics.student(student);
    const Calibration calibration = classCalibration(statistics);
    std::array<std::array<int, 4>, 4> expected{};
    expected[3][2] = 3;
    expected[2][1] = 1;
    expected[1][3] = 1;
    expected[0][0] = 1;
    expected[2][3] = 1;
    expected[3][3] = 1;
    EXPECT_EQ(calibration.counts, expected);
    EXPECT_EQ(calibration.pairs, 8);
    EXPECT_EQ(calibration.confidentMisses, 4);
    EXPECT_EQ(calibration.underConfident, 1);
}

// The statistics' rows of the questions, as the questions table shows them.
TEST(ClassFigures, QuestionsOfTheHandMadeClass)
{
    ClassStatistics statistics;
    for (const StudentRecord& student : handMadeClass())
        statistics.student(student);
    std::map<std::pair<int, int>, QuestionSummary> figures;
    for (const QuestionSummary& question : statistics.questions())
        figures[{question.assignment, question.question}] = question;
    struct Row {
        int assignment, question, students;
        double mean;
        double share;
        int misses, notes;
    };
    const Row rows[] = {
        {1, 1, 2, 1.5, 0.0, 1, 0}, {1, 2, 2, 2.0, 0.5, 1, 0}, {1, 3, 1, 1.0, 1.0, 0, 0},
        {1, 4, 1, 3.0, 0.0, 1, 0}, {2, 1, 2, 3.0, 0.0, 1, 1}, {2, 2, 1, 2.5, 1.0, 0, 0},
    };
    ASSERT_EQ(figures.size(), std::size(rows));
    for (const Row& row : rows) {
        SCOPED_TRACE(questionKey(row.assignment, row.question));
        const QuestionSummary& found = figures.at({row.assignment, row.question});
        EXPECT_EQ(found.studentsAnswering, row.students);
        EXPECT_DOUBLE_EQ(found.confidence.mean(), row.mean);
        EXPECT_DOUBLE_EQ(found.shareRatedThree(), row.share);
        EXPECT_EQ(found.confidentMisses, row.misses);
        EXPECT_EQ(found.notes, row.notes);
    }
}

TEST(StudentOverview, ProgressPerAssignmentAndQuestionsForTheInstructor)
{
    const CourseQuestions course = CourseQuestions::builtIn();
    const auto students = handMadeClass();
    const StudentOverview ann = overview(students[0], course);
    EXPECT_EQ(ann.daysWorked, 2);
    EXPECT_EQ(ann.firstDate, "2026-09-01");
    ASSERT_EQ(ann.asks.size(), 1u);
    EXPECT_EQ(ann.asks[0].entryIndex, 9u);
    EXPECT_EQ(ann.assignments[0].answered, 4);
    EXPECT_EQ(ann.assignments[1].answered, 1); // rated "x", answered all the same
    EXPECT_EQ(ann.assignments[1].lastDate, "2026-09-03");
    const StudentOverview zoe = overview(students[2], course);
    EXPECT_EQ(zoe.assignments[1].answered, 2); // 2-2 once, though answered twice
    EXPECT_TRUE(overview(students[1], course).asks.at(0).kind == EntryKind::Critique);

    struct Case {
        const char* name;
        const AssignmentProgress& progress;
        std::string_view status;
    };
    const Case cases[] = {
        {"Ann 1: every question", ann.assignments[0], "finished"},
        {"Ann 2: last day 7 days before the class's", ann.assignments[1], "stalled"},
        {"Ann 3: never chosen", ann.assignments[2], "not started"},
        {"Zoë 2: on the class's last day", zoe.assignments[1], "progress"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(progressStatus(c.progress, c.progress.lastDate, "2026-09-10"), c.status) << c.name;
    EXPECT_EQ(progressStatus(ann.assignments[1], "2026-09-03", "2026-09-09"), "progress") << "6 days: not stalled";
    EXPECT_EQ(progressStatus(ann.assignments[1], "2026-09-04", "2026-09-20"), "partial") << "worked on later";
    EXPECT_EQ(progressStatus(ann.assignments[0], "2026-09-04", "2026-09-20"), "finished");
}

TEST(CourseQuestions, QuestionsAndGivenAnswersOfTheBuiltInCourse)
{
    const CourseQuestions course = CourseQuestions::builtIn();
    EXPECT_EQ(course.questionCount(1), 4);
    EXPECT_EQ(course.questionCount(5), 9);
    EXPECT_EQ(course.questionCount(17), 0) << "the closing header has no questions";
    const CourseQuestion* first = course.find(1, 1);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text.starts_with("Note that there are four questions in this assignment.  \n\n001.  A stock"))
        << first->text.substr(0, 80);
    EXPECT_TRUE(first->givenAnswer.starts_with("During the first period")) << first->givenAnswer.substr(0, 40);
    EXPECT_EQ(first->text.find('\r'), std::string::npos);
    ASSERT_NE(course.find(4, 2), nullptr);
    EXPECT_EQ(course.find(4, 2)->text.substr(0, 5), "002. ")
        << "004 asks the questions of 003 again, by its own number";
}

// The class page shows these figures: the grid's cells, the questions hardest
// first, the calibration table, the students' questions newest first.
TEST(HtmlSite, ClassPageShowsTheHandMadeFigures)
{
    testing::TempFolder folder;
    testing::SiteUnderTest pages(folder.path());
    for (const StudentRecord& student : handMadeClass())
        pages.student(student);
    ASSERT_FALSE(pages.site().finish({{"send_0902Ann_Lee.txt", 12, "an entry cut short"}}, {"Cy Missing"}).has_value());
    const std::string index = readAll(folder.file("index.html"));

    std::vector<std::string> order;
    const std::regex questionRow(
        R"re(<tr id="q(\d{3}-\d{3})">.*?<td class="number">(\d+)</td><td class="number" )re"
        R"re(data-value="[^"]*">([^<]*)</td><td class="number" data-value="[^"]*">([^<]*)</td>)re"
        R"re(<td class="number">(\d+)</td><td class="number">(\d+)</td>)re");
    for (auto it = std::sregex_iterator(index.begin(), index.end(), questionRow); it != std::sregex_iterator(); ++it)
        order.push_back((*it)[1].str() + " " + (*it)[2].str() + " " + (*it)[3].str() + " " + (*it)[4].str() + " "
                        + (*it)[5].str() + " " + (*it)[6].str());
    ASSERT_GE(order.size(), 7u);
    const std::vector<std::string> hardest = {
        "001-001 2 1.50 0% 1 0",   "001-004 1 3.00 0% 1 0",   "002-001 2 3.00 0% 1 1", "001-002 2 2.00 50% 1 0",
        "001-003 1 1.00 100% 0 0", "002-002 1 2.50 100% 0 0", "002-003 0   0 0"};
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 7), hardest);

    EXPECT_NE(index.find("<tr><th scope=\"row\">3</th><td class=\"number\">0</td><td class=\"number\">0</td>"
                         "<td class=\"number\">3</td><td class=\"number\">1</td></tr>"),
              std::string::npos);
    EXPECT_NE(index.find("Confident misses (confidence 2 or 3, self-critique 0 to 2): <strong>4</strong> (50.0%)"),
              std::string::npos);
    EXPECT_NE(index.find("Under-confidence (confidence 0 or 1, self-critique 3): <strong>1</strong> (12.5%)"),
              std::string::npos);

    const std::regex annRow(R"re(<tr><th scope="row"><a href="students/Ann_Lee.html">Ann Lee</a></th>(.*?)</tr>)re");
    std::smatch ann;
    ASSERT_TRUE(std::regex_search(index, ann, annRow));
    EXPECT_NE(ann[1].str().find("status-finished\" data-value=\"4\">4/4 <small>done</small>"), std::string::npos);
    EXPECT_NE(ann[1].str().find("status-stalled\" data-value=\"1\">1/4 <small>stalled</small>"), std::string::npos);
    EXPECT_NE(index.find("Cy Missing <small>(on the roster, sent nothing)</small>"), std::string::npos);

    const auto annAsk = index.find("students/Ann_Lee.html#e9");
    const auto boAsk = index.find("#e3\">Bo &lt;b&gt;Bold&lt;/b&gt;</a>");
    ASSERT_NE(annAsk, std::string::npos);
    ASSERT_NE(boAsk, std::string::npos);
    EXPECT_LT(annAsk, boAsk) << "newest first";
    EXPECT_NE(index.find("<td class=\"text\">send_0902Ann_Lee.txt</td><td class=\"number\">12</td>"),
              std::string::npos);
}

// A folder that cannot be made (a file stands in its way) is reported once,
// by finish(), and the rest of the class is still handed over without a crash.
TEST(HtmlSite, ReportsAFolderItCannotWrite)
{
    testing::TempFolder folder;
    std::ofstream(folder.file("taken")) << "a file, not a folder";
    testing::SiteUnderTest pages(folder.file("taken"));
    for (const StudentRecord& student : handMadeClass())
        pages.student(student);
    const auto fault = pages.site().finish({}, {});
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("taken"), std::string::npos) << *fault;
}

} // namespace
} // namespace calctutor::report
