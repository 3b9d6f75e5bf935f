#include "script/CourseFile.h"

namespace calctutor {

namespace {

bool isTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool isPrintableAscii(char c)
{
    return c >= 32 && c <= 126;
}

class Parser {
public:
    explicit Parser(ParsedCourse& out) : m_out(out) {}

    void parseFile(const CourseSource& source)
    {
        m_file = source.name;
        m_canContinue = false;
        std::string_view rest = source.content;
        int lineNumber = 0;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
            parseLine(line, ++lineNumber);
        }
    }

private:
    void parseLine(std::string_view line, int lineNumber)
    {
        while (!line.empty() && isTrailingSpace(line.back()))
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            return;
        const char mark = line.front();
        if (mark == '-' && line.size() == 1) {
            m_out.entries.push_back({"", m_file, lineNumber});
            m_canContinue = false; // a separator has no lines to add to
            return;
        }
        if (mark != '>' && mark != '+') {
            problem(lineNumber, "a line must begin with '>', '+', '-' or '#'");
            return;
        }
        if (line.size() < 2 || line.back() != '|') {
            problem(lineNumber, "a text line must end with '|' (the end of its text)");
            return;
        }
        const std::string_view text = line.substr(1, line.size() - 2);
        for (const char c : text) {
            if (!isPrintableAscii(c)) {
                problem(lineNumber, "only printable ASCII characters are allowed (found a tab or other character)");
                break;
            }
        }
        if (mark == '>') {
            m_out.entries.push_back({std::string(text), m_file, lineNumber});
            m_canContinue = true;
        } else if (!m_canContinue) {
            problem(lineNumber, "a '+' line must follow a line that starts an entry");
        } else {
            m_out.entries.back().text.append("\r\n").append(text);
        }
    }

    void problem(int lineNumber, std::string message)
    {
        m_out.problems.push_back({m_file, lineNumber, std::move(message)});
    }

    ParsedCourse& m_out;
    std::string m_file;
    bool m_canContinue = false;
};

} // namespace

ParsedCourse parseCourse(const std::vector<CourseSource>& sources)
{
    ParsedCourse parsed;
    Parser parser(parsed);
    for (const CourseSource& source : sources)
        parser.parseFile(source);
    return parsed;
}

} // namespace calctutor
