#pragma once
// The class's figures that the pages show per question and for calibration,
// gathered student by student. For each student and question the pair that
// counts is the student's last answer rating and last critique rating, each
// only when it is one of 0, 1, 2, 3. A confident miss is such a pair with
// confidence 2 or 3 and critique 0, 1 or 2; under-confidence is confidence 0
// or 1 with critique 3.

#include "report/ReportEntry.h"

#include <array>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace calctutor::report {

// 0 to 3 for the ratings that count; nothing for anything else typed.
std::optional<int> countedRating(std::string_view rating);

using RatingGrid = std::array<std::array<int, 4>, 4>; // [confidence][critique]

struct QuestionFigures {
    int studentsAnswering = 0;
    int confidenceSum = 0;
    int confidenceCount = 0; // answers with a rating that counts
    int critiqueCount = 0;   // critiques with a rating that counts
    int critiquesOfThree = 0;
    RatingGrid grid{};
    int confidentMisses = 0;
    int notes = 0;

    std::optional<double> meanConfidence() const;
    std::optional<double> shareOfThree() const; // of the critiques rated 3
};

struct Calibration {
    RatingGrid grid{};
    int pairs = 0;
    int confidentMisses = 0;
    int underConfident = 0;
};

class ClassFigures {
public:
    void add(const StudentRecord& record);

    // Keyed by assignment and question; entries the reader could not place are left out.
    const std::map<std::pair<int, int>, QuestionFigures>& questions() const { return m_questions; }
    const Calibration& calibration() const { return m_calibration; }

private:
    std::map<std::pair<int, int>, QuestionFigures> m_questions;
    Calibration m_calibration;
};

} // namespace calctutor::report
