#pragma once
// Sums up a class as the reader hands it over, student by student: one row per
// student, one row per assignment and question, and the class's totals. It
// keeps these aggregates only, never the entries' texts, so a class of any
// size fits in memory. Writing the rows out is left to the outputs.

#include "report/ReportEntry.h"

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace calctutor::report {

// The mean of the ratings typed as exactly 0, 1, 2 or 3; other texts are
// counted apart.
struct RatingMean {
    long long sum = 0;
    long long count = 0;
    void add(int rating);
    bool empty() const { return count == 0; }
    double mean() const { return count == 0 ? 0.0 : static_cast<double>(sum) / static_cast<double>(count); }
};

// 0 to 3 when the text is exactly one of those digits, otherwise -1.
int scaleRating(const std::string& rating);

struct StudentSummary {
    std::string name;
    int assignmentsStarted = 0; // distinct assignments of the start headers
    int questionsAnswered = 0;  // distinct questions with an answer (each unplaced answer counts once)
    int critiques = 0;          // critique entries
    int notes = 0;              // note entries
    int entries = 0;            // every response and note entry
    RatingMean confidence;
    RatingMean selfCritique;
    int confidentMisses = 0;
    int otherRatings = 0; // ratings typed as something other than 0 to 3
    std::string lastDay;  // YYYY-MM-DD of the latest start or entry; empty when none
    int critiquesRatedThree = 0;
};

struct QuestionSummary {
    int assignment = 0;
    int question = 0; // 0: entries that could not be placed at a question
    int studentsAnswering = 0;
    RatingMean confidence;
    RatingMean selfCritique;
    // counts[confidence][self-critique] of each answer paired with its critique
    std::array<std::array<int, 4>, 4> counts{};
    int confidentMisses = 0;
    int notes = 0;
    int critiquesRatedThree = 0;
    // Critiques rated 3 among those rated 0 to 3; 0 when there are none.
    double shareRatedThree() const;
};

struct ClassTotals {
    int students = 0;
    int studentsStarted = 0; // with at least one start header or entry
    int entries = 0;
    int answers = 0;
    int critiques = 0;
    int responses = 0;
    int notes = 0;
    RatingMean confidence;
    RatingMean selfCritique;
    int confidentMisses = 0;
    int otherRatings = 0;
    std::string firstDay;
    std::string lastDay;
};

class ClassStatistics : public StudentSink {
public:
    void student(const StudentRecord& record) override;
    // Room for this many students, so that a large class's rows take no spare memory.
    void reserve(std::size_t students) { m_students.reserve(students); }

    // In the order the students were handed over.
    const std::vector<StudentSummary>& students() const { return m_students; }
    // Ordered by assignment, then question.
    std::vector<QuestionSummary> questions() const;
    const ClassTotals& totals() const { return m_totals; }

private:
    std::vector<StudentSummary> m_students;
    std::map<std::pair<int, int>, QuestionSummary> m_questions;
    ClassTotals m_totals;
};

// The pairs of one student's answer and the first critique of the same
// question after it (before the next answer to that question); the entries'
// indexes in the record.
std::vector<std::pair<std::size_t, std::size_t>> answerCritiquePairs(const StudentRecord& record);

// Confidence 2 or 3, self-critique 0, 1 or 2: the student was sure, and the
// given answer showed that critique was needed.
bool isConfidentMiss(int confidence, int selfCritique);

} // namespace calctutor::report
