#include "report/html/ClassFigures.h"

namespace calctutor::report {

std::optional<int> countedRating(std::string_view rating)
{
    if (rating.size() == 1 && rating[0] >= '0' && rating[0] <= '3')
        return rating[0] - '0';
    return std::nullopt;
}

std::optional<double> QuestionFigures::meanConfidence() const
{
    if (confidenceCount == 0)
        return std::nullopt;
    return static_cast<double>(confidenceSum) / confidenceCount;
}

std::optional<double> QuestionFigures::shareOfThree() const
{
    if (critiqueCount == 0)
        return std::nullopt;
    return static_cast<double>(critiquesOfThree) / critiqueCount;
}

void ClassFigures::add(const StudentRecord& record)
{
    struct Last {
        bool answered = false;
        std::optional<int> confidence;
        std::optional<int> critique;
    };
    std::map<std::pair<int, int>, Last> last;
    for (const ReportEntry& entry : record.entries) {
        if (entry.assignment == 0 || entry.question == 0)
            continue;
        const std::pair<int, int> key{entry.assignment, entry.question};
        QuestionFigures& figures = m_questions[key];
        Last& pair = last[key];
        const std::optional<int> rating = countedRating(entry.rating);
        switch (entry.kind) {
        case EntryKind::Answer:
            pair.answered = true;
            if (rating) {
                figures.confidenceSum += *rating;
                ++figures.confidenceCount;
                pair.confidence = rating;
            }
            break;
        case EntryKind::Critique:
            if (rating) {
                ++figures.critiqueCount;
                figures.critiquesOfThree += *rating == 3 ? 1 : 0;
                pair.critique = rating;
            }
            break;
        case EntryKind::Note: ++figures.notes; break;
        case EntryKind::Response: break;
        }
    }
    for (const auto& [key, pair] : last) {
        QuestionFigures& figures = m_questions[key];
        figures.studentsAnswering += pair.answered ? 1 : 0;
        if (!pair.confidence || !pair.critique)
            continue;
        const int confidence = *pair.confidence;
        const int critique = *pair.critique;
        const bool miss = confidence >= 2 && critique <= 2;
        ++figures.grid[confidence][critique];
        figures.confidentMisses += miss ? 1 : 0;
        ++m_calibration.grid[confidence][critique];
        ++m_calibration.pairs;
        m_calibration.confidentMisses += miss ? 1 : 0;
        m_calibration.underConfident += confidence <= 1 && critique == 3 ? 1 : 0;
    }
}

} // namespace calctutor::report
