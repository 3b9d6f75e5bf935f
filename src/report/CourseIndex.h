#pragma once
// Where a context line stands in the built-in course: the question number the
// tutor holds while that line is the last one shown. A send file has no record
// numbers, so its entries are placed by their context line, looked up within
// the assignment of their start header: assignment 004 repeats questions of
// 003, and only the assignment tells them apart.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace calctutor::report {

class CourseIndex {
public:
    // Walks every assignment of the built-in course with the tutor's own reader.
    static const CourseIndex& builtIn();

    // The question number: 0 when the line stands at stops of different
    // questions or before the first numbered one; nothing when it is not a
    // stop of that assignment. Line breaks are "\n".
    std::optional<int> questionOf(int assignment, std::string_view context) const;

    // For tests: the stops of assignments given as script entries from index 1.
    static CourseIndex fromScript(const std::vector<std::string>& scriptLines);

private:
    std::unordered_map<int, std::unordered_map<std::string, int>> m_questions;
};

} // namespace calctutor::report
