#include "script/GraphData.h"

#include "script/BuiltInFiles.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace calctutor {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits "word rest of line" at its first blank.
std::pair<std::string_view, std::string_view> firstWord(std::string_view line)
{
    std::size_t end = 0;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    return {line.substr(0, end), trimmed(line.substr(end))};
}

// The whole text as one finite number; from_chars ignores the locale, so a
// data file reads the same on every machine.
std::optional<double> wholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

class Reader {
public:
    explicit Reader(ParsedGraphs& out) : m_out(out) {}

    void readLine(std::string_view line, int lineNumber)
    {
        m_line = lineNumber;
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            return;
        const auto [word, rest] = firstWord(line);
        if (word == "graph")
            return startGraph(rest);
        if (m_current == nullptr) {
            // The lines of a graph whose first line was reported are left out quietly.
            if (!m_skippingGraph)
                problem("data before the first \"graph N\" line");
            return;
        }
        if (word == "title")
            m_current->title = rest;
        else if (word == "x")
            m_current->xLabel = rest;
        else if (word == "y")
            m_current->yLabel = rest;
        else
            readPoint(word, rest);
    }

    void finish()
    {
        // A bare "graph N" names a routine that shows no picture; a graph
        // with a title or labels but no points is a slip.
        const bool bare = m_current != nullptr && m_current->title.empty() && m_current->xLabel.empty()
            && m_current->yLabel.empty();
        if (m_current != nullptr && m_current->points.empty() && !bare) {
            m_line = m_graphLine;
            problem("graph " + std::to_string(m_current->number) + " has no data points");
            m_out.graphs.pop_back();
        }
        m_current = nullptr;
    }

private:
    void startGraph(std::string_view rest)
    {
        finish();
        m_skippingGraph = true;
        const std::optional<double> number = wholeNumber(rest);
        if (!number || *number < 1 || *number != std::floor(*number) || *number > 99)
            return problem("a graph number must be a whole number from 1 to 99");
        const int graphNumber = static_cast<int>(*number);
        if (findGraph(m_out.graphs, graphNumber) != nullptr)
            return problem("graph " + std::to_string(graphNumber) + " is listed twice");
        m_out.graphs.push_back(Graph{graphNumber, {}, {}, {}, {}});
        m_current = &m_out.graphs.back();
        m_graphLine = m_line;
        m_skippingGraph = false;
    }

    void readPoint(std::string_view first, std::string_view rest)
    {
        const auto [second, extra] = firstWord(rest);
        const std::optional<double> x = wholeNumber(first);
        const std::optional<double> y = wholeNumber(second);
        if (!x || !y || !extra.empty())
            return problem("expected \"title\", \"x\", \"y\" or a data point \"X Y\" of two numbers");
        m_current->points.push_back({*x, *y});
    }

    void problem(std::string message) { m_out.problems.push_back({m_line, std::move(message)}); }

    ParsedGraphs& m_out;
    Graph* m_current = nullptr;
    int m_line = 0;
    int m_graphLine = 0;
    bool m_skippingGraph = false;
};

} // namespace

ParsedGraphs parseGraphs(std::string_view text)
{
    ParsedGraphs parsed;
    Reader reader(parsed);
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        reader.readLine(text.substr(0, end), ++lineNumber);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    reader.finish();
    return parsed;
}

ParsedGraphs builtInGraphs()
{
    for (const BuiltInFile& file : builtInFiles()) {
        if (file.name == "graphs.txt")
            return parseGraphs(file.bytes);
    }
    return {{}, {{0, "the built-in graph data file is missing"}}};
}

const Graph* findGraph(const std::vector<Graph>& graphs, int number)
{
    for (const Graph& graph : graphs) {
        if (graph.number == number)
            return &graph;
    }
    return nullptr;
}

const Graph* graphForRoutine(const std::vector<Graph>& graphs, std::string_view routine)
{
    for (const Graph& graph : graphs) {
        if (routine == "graph" + std::to_string(graph.number))
            return &graph;
    }
    return nullptr;
}

const std::vector<Graph>& courseGraphs()
{
    static const std::vector<Graph> graphs = builtInGraphs().graphs;
    return graphs;
}

} // namespace calctutor
