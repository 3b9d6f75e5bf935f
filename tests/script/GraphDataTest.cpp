// Reading the graphs' data file: what a well-formed file gives, which lines
// are reported, and that the built-in file reads cleanly.

#include "script/GraphData.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

TEST(GraphData, ReadsTitlesLabelsAndPointsInOrder)
{
    const ParsedGraphs parsed = parseGraphs("# a comment\r\n"
                                            "\n"
                                            "graph 2\r\n"
                                            "title  Value of a stock  \r\n"
                                            "x month\n"
                                            "y value (dollars)\n"
                                            "0 40\n"
                                            "  1\t42.5  \n"
                                            "+2 -1e1\n"
                                            "graph 7\n"
                                            "10 0.25");
    ASSERT_TRUE(parsed.problems.empty()) << parsed.problems.front().message;
    ASSERT_EQ(parsed.graphs.size(), 2u);
    const Graph& stock = parsed.graphs[0];
    EXPECT_EQ(stock.number, 2);
    EXPECT_EQ(stock.title, "Value of a stock");
    EXPECT_EQ(stock.xLabel, "month");
    EXPECT_EQ(stock.yLabel, "value (dollars)");
    ASSERT_EQ(stock.points.size(), 3u);
    EXPECT_DOUBLE_EQ(stock.points[1].x, 1);
    EXPECT_DOUBLE_EQ(stock.points[1].y, 42.5);
    EXPECT_DOUBLE_EQ(stock.points[2].y, -10);
    EXPECT_EQ(parsed.graphs[1].title, "");
    EXPECT_DOUBLE_EQ(parsed.graphs[1].points[0].y, 0.25);
    EXPECT_EQ(findGraph(parsed.graphs, 7), &parsed.graphs[1]);
    EXPECT_EQ(findGraph(parsed.graphs, 1), nullptr);
}

struct FaultyFile {
    const char* name;
    const char* text;
    int problemLine;
    std::size_t graphsKept;
    const char* message;
};

constexpr const char* kBadNumber = "a graph number must be a whole number from 1 to 99";
constexpr const char* kNotAPoint = "expected \"title\", \"x\", \"y\" or a data point \"X Y\" of two numbers";

class GraphDataFaults : public ::testing::TestWithParam<FaultyFile> {};

TEST_P(GraphDataFaults, AreReportedWithTheirLineAndTheRestIsRead)
{
    const FaultyFile& row = GetParam();
    const ParsedGraphs parsed = parseGraphs(row.text);
    ASSERT_EQ(parsed.problems.size(), 1u);
    EXPECT_EQ(parsed.problems[0].line, row.problemLine);
    EXPECT_EQ(parsed.problems[0].message, row.message);
    EXPECT_EQ(parsed.graphs.size(), row.graphsKept);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphDataFaults,
    ::testing::Values(
        FaultyFile{"DataBeforeAnyGraph", "0 1\ngraph 2\n0 1\n", 1, 1, "data before the first \"graph N\" line"},
        FaultyFile{"GraphNumberNotANumber", "graph two\n0 1\ngraph 3\n0 1\n", 1, 1, kBadNumber},
        FaultyFile{"GraphNumberNotWhole", "graph 2.5\ngraph 3\n0 1\n", 1, 1, kBadNumber},
        FaultyFile{"GraphNumberZero", "graph 0\ngraph 3\n0 1\n", 1, 1, kBadNumber},
        FaultyFile{"GraphListedTwice", "graph 2\n0 1\ngraph 2\n0 5\n", 3, 1, "graph 2 is listed twice"},
        FaultyFile{"GraphWithoutPoints", "graph 2\ntitle empty\ngraph 3\n0 1\n", 1, 1, "graph 2 has no data points"},
        FaultyFile{"GraphNumberAboveNinetyNine", "graph 100\ngraph 99\n0 1\n", 1, 1, kBadNumber},
        FaultyFile{"LastGraphWithoutPoints", "graph 3\n0 1\n\ngraph 2\ny depth\n", 4, 1, "graph 2 has no data points"},
        FaultyFile{"UnknownWord", "graph 2\nlabel month\n0 1\n", 2, 1, kNotAPoint},
        FaultyFile{"PointWithOneNumber", "graph 2\n0\n1 2\n", 2, 1, kNotAPoint},
        FaultyFile{"PointWithThreeNumbers", "graph 2\n0 1 2\n1 2\n", 2, 1, kNotAPoint},
        FaultyFile{"DecimalComma", "graph 2\n0 1,5\n1 2\n", 2, 1, kNotAPoint},
        FaultyFile{"NumberWithTrailingText", "graph 2\n0 40$\n1 2\n", 2, 1, kNotAPoint},
        FaultyFile{"NotAFiniteNumber", "graph 2\n0 inf\n1 2\n", 2, 1, kNotAPoint}),
    [](const ::testing::TestParamInfo<FaultyFile>& row) { return std::string(row.param.name); });

TEST(GraphData, TheRoutinesAreTheGraphsListed)
{
    const ParsedGraphs parsed = parseGraphs("graph 1\n\ngraph 3\n0 1\n");
    EXPECT_TRUE(parsed.problems.empty());
    for (const auto& [routine, number] : {std::pair{"graph1", 1}, {"graph3", 3}, {"graph2", 0}, {"graph03", 0}}) {
        const Graph* graph = graphForRoutine(parsed.graphs, routine);
        EXPECT_EQ(graph == nullptr ? 0 : graph->number, number) << routine;
    }
}

TEST(GraphData, BuiltInFileReadsCleanlyAndHasTheCourseGraphs)
{
    const ParsedGraphs parsed = builtInGraphs();
    for (const GraphProblem& problem : parsed.problems)
        ADD_FAILURE() << "graphs.txt line " << problem.line << ": " << problem.message;
    // The course runs graph1 too, a routine with no picture.
    const Graph* bare = findGraph(parsed.graphs, 1);
    ASSERT_NE(bare, nullptr);
    EXPECT_TRUE(bare->points.empty());
    for (const int number : {2, 3}) {
        const Graph* graph = findGraph(parsed.graphs, number);
        ASSERT_NE(graph, nullptr) << "graph " << number;
        EXPECT_FALSE(graph->title.empty());
        EXPECT_FALSE(graph->xLabel.empty());
        EXPECT_FALSE(graph->yLabel.empty());
        EXPECT_GE(graph->points.size(), 2u);
    }
}

} // namespace
} // namespace calctutor
