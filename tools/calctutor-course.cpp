// calctutor-course: the course author's tool.
//   calctutor-course check  validates the built-in course and its graphs; exits 1 on faults
//   calctutor-course dump   prints all the course's entries as a JSON array
// Both use the tutor's own loader.

#include "core/TutorState.h"
#include "core/Windows1252.h"
#include "script/CourseCheck.h"
#include "script/GraphData.h"
#include "script/QuestionBank.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace {

std::string jsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : calctutor::windows1252ToUtf8(text)) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

int dump()
{
    calctutor::TutorState state;
    calctutor::loadQuestionBank(state);
    std::cout << "[\n";
    for (std::size_t i = 0; i < state.scriptLines.size(); ++i)
        std::cout << "  " << jsonString(state.scriptLines[i]) << (i + 1 < state.scriptLines.size() ? ",\n" : "\n");
    std::cout << "]\n";
    return 0;
}

int check()
{
    const calctutor::ParsedCourse course = calctutor::parseCourse(calctutor::builtInCourse());
    const std::vector<calctutor::CourseProblem> problems = calctutor::checkCourse(course);
    for (const calctutor::CourseProblem& problem : problems)
        std::cerr << problem.file << ":" << problem.line << ": " << problem.message << "\n";
    // The graphs' file names the routines that the course's entries may run.
    const calctutor::ParsedGraphs graphs = calctutor::builtInGraphs();
    for (const calctutor::GraphProblem& problem : graphs.problems)
        std::cerr << "graphs.txt:" << problem.line << ": " << problem.message << "\n";
    const std::size_t count = problems.size() + graphs.problems.size();
    if (count > 0) {
        std::cerr << count << " problem(s) in the course.\n";
        return 1;
    }
    std::cout << "The course is sound: " << course.entries.size() << " entries.\n";
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "dump")
        return dump();
    if (command == "check")
        return check();
    std::cerr << "usage: calctutor-course check | dump\n";
    return 2;
}
