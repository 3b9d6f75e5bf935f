// The graphs show the numbers the questions talk about: every data point of a
// graph is quoted as "(x, y)" in the text of the assignments that show it, and
// the water table printed in the questions lists the same values in order.

#include "script/GraphData.h"
#include "script/QuestionBank.h"

#include <gtest/gtest.h>

#include <sstream>

namespace calctutor {
namespace {

std::string courseFile(const std::string& name)
{
    for (const CourseSource& source : builtInCourse()) {
        if (source.name == name)
            return source.content;
    }
    ADD_FAILURE() << "no course file " << name;
    return {};
}

const Graph& builtInGraph(int number)
{
    static const ParsedGraphs parsed = builtInGraphs();
    const Graph* graph = findGraph(parsed.graphs, number);
    if (graph == nullptr) {
        ADD_FAILURE() << "no graph " << number;
        static const Graph none;
        return none;
    }
    return *graph;
}

std::string number(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// The numbers of the course line that starts with head, e.g. "y (cm): 100, 81".
std::vector<double> tableRow(const std::string& course, const std::string& head)
{
    const std::size_t start = course.find("+" + head);
    if (start == std::string::npos)
        return {};
    std::string row = course.substr(start + 1 + head.size());
    row = row.substr(0, row.find('|'));
    for (char& c : row)
        c = c == ',' ? ' ' : c;
    std::istringstream values(row);
    std::vector<double> numbers;
    for (double value = 0; values >> value;)
        numbers.push_back(value);
    return numbers;
}

struct Showing {
    const char* courseFileName;
    int graph;
};

class GraphsMatchCourse : public ::testing::TestWithParam<Showing> {};

TEST_P(GraphsMatchCourse, EveryPointIsQuotedInTheAssignment)
{
    const Showing& row = GetParam();
    const std::string course = courseFile(row.courseFileName);
    ASSERT_NE(course.find("`routine graph" + std::to_string(row.graph) + "|"), std::string::npos)
        << row.courseFileName << " does not show graph " << row.graph;
    const Graph& graph = builtInGraph(row.graph);
    ASSERT_FALSE(graph.points.empty());
    for (const GraphPoint& point : graph.points) {
        const std::string quoted = '(' + number(point.x) + ", " + number(point.y) + ")";
        EXPECT_NE(course.find(quoted), std::string::npos) << row.courseFileName << " never mentions " << quoted;
    }
}

INSTANTIATE_TEST_SUITE_P(Assignments, GraphsMatchCourse,
                         ::testing::Values(Showing{"002.course", 2}, Showing{"003.course", 3},
                                           Showing{"004.course", 3}),
                         [](const ::testing::TestParamInfo<Showing>& row) {
                             return std::string(row.param.courseFileName).substr(0, 3);
                         });

TEST(GraphsMatchCourse, WaterTableOfTheQuestionsListsTheGraphsValues)
{
    const Graph& water = builtInGraph(3);
    std::vector<double> times;
    std::vector<double> depths;
    for (const GraphPoint& point : water.points) {
        times.push_back(point.x);
        depths.push_back(point.y);
    }
    for (const char* name : {"003.course", "004.course"}) {
        const std::string course = courseFile(name);
        EXPECT_EQ(tableRow(course, "t (s):"), times) << name;
        EXPECT_EQ(tableRow(course, "y (cm):"), depths) << name;
    }
}

TEST(GraphsMatchCourse, StockValuesQuotedInDollarsAgreeWithTheGraph)
{
    // 001 and 002 quote the months 0, 4 and 9 as dollar amounts.
    const Graph& stock = builtInGraph(2);
    ASSERT_EQ(stock.points.size(), 10u);
    for (const char* name : {"001.course", "002.course"}) {
        const std::string course = courseFile(name);
        for (const std::size_t month : {0u, 4u, 9u}) {
            const std::string dollars = '$' + number(stock.points[month].y);
            EXPECT_NE(course.find(dollars), std::string::npos) << name << " never mentions " << dollars;
        }
    }
}

} // namespace
} // namespace calctutor
