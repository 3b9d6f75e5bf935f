#pragma once
// Where a context line stands in the built-in course: the question number the
// tutor holds while that line is the last one shown. A send file has no record
// numbers, so its entries are placed by their context line, looked up within
// the assignment of their start header: assignment 004 repeats questions of
// 003, and only the assignment tells them apart.

#include <deque>
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

    struct Stop {
        int question = 0;                     // 0 at stops of different questions or before the first numbered one
        const std::string* context = nullptr; // the stop's text, line breaks as "\n"
    };
    // The stop whose text is this context, taken from a record file as it
    // stands there, line ends (CR LF or LF) included; nothing when the text
    // is not a stop of that assignment. Reading a class looks up every
    // entry's context, so this avoids decoding and copying it first.
    const Stop* stopOf(int assignment, std::string_view fileText) const;
    // The same for a context with "\n" line breaks: its question number.
    std::optional<int> questionOf(int assignment, std::string_view context) const;

    // For tests: the stops of assignments given as script entries from index 1.
    static CourseIndex fromScript(const std::vector<std::string>& scriptLines);

private:
    void add(int assignment, const std::string& stop, int question);

    // Stops of one assignment differ in length or in their first or last
    // words, so hashing those spares hashing every context whole; equal
    // hashes are still told apart by comparing the whole text.
    struct EndsHash {
        std::size_t operator()(std::string_view text) const noexcept;
    };

    std::deque<std::string> m_texts; // stable storage for the keys and contexts
    std::deque<Stop> m_stops;
    std::unordered_map<int, std::unordered_map<std::string_view, Stop*, EndsHash>> m_byText;
};

} // namespace calctutor::report
