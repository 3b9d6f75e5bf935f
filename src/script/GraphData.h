#pragma once
// The numbers behind the course's graphs: titles, axis labels and data points,
// read from the plain-text data file built in beside the course
// (course/graphs.txt, whose header describes the format). Drawing is left to
// GraphPicture.

#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

struct GraphPoint {
    double x = 0;
    double y = 0;
};

struct Graph {
    int number = 0; // the routine "graph2" shows graph 2
    std::string title;
    std::string xLabel;
    std::string yLabel;
    std::vector<GraphPoint> points; // joined in this order; none for a routine that shows no picture
};

struct GraphProblem {
    int line = 0;
    std::string message;
};

struct ParsedGraphs {
    std::vector<Graph> graphs;
    std::vector<GraphProblem> problems;
};

// Reads the data file's text. A line that cannot be read is reported and left
// out; the rest of the file is still read.
ParsedGraphs parseGraphs(std::string_view text);

// The graphs of the data file built into the program.
ParsedGraphs builtInGraphs();

// The graph with this number, or nullptr.
const Graph* findGraph(const std::vector<Graph>& graphs, int number);

// The graph that a routine such as "graph2" shows, or nullptr when the data
// file does not list it: the routine is then unknown and ends the program.
const Graph* graphForRoutine(const std::vector<Graph>& graphs, std::string_view routine);

// The built-in graphs, read once.
const std::vector<Graph>& courseGraphs();

} // namespace calctutor
