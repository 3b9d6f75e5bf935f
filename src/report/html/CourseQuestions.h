#pragma once
// The built-in course seen from the instructor's pages: for each assignment
// its title and questions, for each question its text and the given answer,
// found by the assignment and question numbers that the report places
// entries with. Texts are UTF-8 with "\n" between lines.

#include <cstddef>
#include <string>
#include <vector>

namespace calctutor::report {

struct CourseQuestion {
    int assignment = 0;
    int question = 0;
    std::string text;        // the question, without its marker
    std::string givenAnswer; // the answer entry that follows it, without its marker
    std::size_t index = 0;   // the place in questions(), for tables kept per question
};

struct CourseAssignment {
    int number = 0;
    std::string title;          // the header entry as stored, e.g. "001.  Depth vs. Clock Time..."
    std::vector<int> questions; // question numbers in course order
};

class CourseQuestions {
public:
    // The course compiled into the program.
    static CourseQuestions builtIn();

    // Assignments with at least one question, in course order.
    const std::vector<CourseAssignment>& assignments() const { return m_assignments; }
    const CourseAssignment* assignment(int number) const;
    const CourseQuestion* find(int assignment, int question) const;
    // Every question, in course order.
    const std::vector<CourseQuestion>& questions() const { return m_questions; }
    // The assignment's number of questions; 0 for an assignment the course lacks.
    int questionCount(int assignment) const;

private:
    std::vector<CourseAssignment> m_assignments;
    std::vector<CourseQuestion> m_questions;
    std::vector<std::vector<std::size_t>> m_places; // [assignment][question]: index + 1, or 0 for none
};

} // namespace calctutor::report
