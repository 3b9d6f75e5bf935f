#include "report/ClassStatistics.h"

#include <algorithm>
#include <set>

namespace calctutor::report {

void RatingMean::add(int rating)
{
    sum += rating;
    ++count;
}

int scaleRating(const std::string& rating)
{
    if (rating.size() == 1 && rating[0] >= '0' && rating[0] <= '3')
        return rating[0] - '0';
    return -1;
}

bool isConfidentMiss(int confidence, int selfCritique)
{
    return confidence >= 2 && selfCritique >= 0 && selfCritique <= 2;
}

double QuestionSummary::shareRatedThree() const
{
    return selfCritique.empty() ? 0.0
                                : static_cast<double>(critiquesRatedThree) / static_cast<double>(selfCritique.count);
}

std::vector<std::pair<std::size_t, std::size_t>> answerCritiquePairs(const StudentRecord& record)
{
    std::vector<std::pair<std::size_t, std::size_t>> pairs;
    std::map<std::pair<int, int>, std::size_t> openAnswers;
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        if (entry.question == 0)
            continue; // an unplaced entry cannot be paired
        const std::pair<int, int> key{entry.assignment, entry.question};
        if (entry.kind == EntryKind::Answer) {
            openAnswers[key] = index;
        } else if (entry.kind == EntryKind::Critique) {
            auto open = openAnswers.find(key);
            if (open != openAnswers.end()) {
                pairs.emplace_back(open->second, index);
                openAnswers.erase(open);
            }
        }
    }
    return pairs;
}

namespace {

void keepLatest(std::string& day, const std::string& candidate)
{
    if (!candidate.empty() && candidate > day)
        day = candidate;
}

void keepEarliest(std::string& day, const std::string& candidate)
{
    if (!candidate.empty() && (day.empty() || candidate < day))
        day = candidate;
}

} // namespace

void ClassStatistics::student(const StudentRecord& record)
{
    StudentSummary summary;
    summary.name = record.name;
    std::set<int> assignments;
    for (const StartRecord& start : record.starts) {
        assignments.insert(start.assignment);
        keepLatest(summary.lastDay, start.date);
        keepEarliest(m_totals.firstDay, start.date);
    }
    summary.assignmentsStarted = static_cast<int>(assignments.size());

    // This student's answered questions, each counted once; an answer that
    // could not be placed counts on its own in the student's figures.
    std::vector<std::pair<int, int>> answered;
    int unplacedAnswers = 0;
    // A student's entries come in runs on one question: the last one looked up is kept.
    std::pair<int, int> lastKey{-1, -1};
    QuestionSummary* last = nullptr;
    for (const ReportEntry& entry : record.entries) {
        ++summary.entries;
        keepLatest(summary.lastDay, entry.date);
        keepEarliest(m_totals.firstDay, entry.date);
        const std::pair<int, int> key{entry.assignment, entry.question};
        if (!last || key != lastKey) {
            last = &m_questions[key];
            lastKey = key;
        }
        QuestionSummary& question = *last;
        question.assignment = entry.assignment;
        question.question = entry.question;
        const int rating = scaleRating(entry.rating);
        switch (entry.kind) {
        case EntryKind::Answer:
            ++m_totals.answers;
            answered.push_back(key);
            if (entry.question == 0)
                ++unplacedAnswers;
            if (rating >= 0) {
                summary.confidence.add(rating);
                question.confidence.add(rating);
            }
            break;
        case EntryKind::Critique:
            ++summary.critiques;
            ++m_totals.critiques;
            if (rating >= 0) {
                summary.selfCritique.add(rating);
                question.selfCritique.add(rating);
                if (rating == 3) {
                    ++question.critiquesRatedThree;
                    ++summary.critiquesRatedThree;
                }
            }
            break;
        case EntryKind::Note:
            ++summary.notes;
            ++m_totals.notes;
            ++question.notes;
            break;
        case EntryKind::Response: ++m_totals.responses; break;
        }
        if ((entry.kind == EntryKind::Answer || entry.kind == EntryKind::Critique) && rating < 0)
            ++summary.otherRatings;
    }
    std::sort(answered.begin(), answered.end());
    answered.erase(std::unique(answered.begin(), answered.end()), answered.end());
    for (const auto& key : answered) {
        ++m_questions[key].studentsAnswering;
        if (key.second != 0)
            ++summary.questionsAnswered;
    }
    summary.questionsAnswered += unplacedAnswers;

    for (const auto& [answerIndex, critiqueIndex] : answerCritiquePairs(record)) {
        const ReportEntry& answer = record.entries[answerIndex];
        const int confidence = scaleRating(answer.rating);
        const int selfCritique = scaleRating(record.entries[critiqueIndex].rating);
        if (confidence < 0 || selfCritique < 0)
            continue;
        QuestionSummary& question = m_questions[{answer.assignment, answer.question}];
        ++question.counts[static_cast<std::size_t>(confidence)][static_cast<std::size_t>(selfCritique)];
        if (isConfidentMiss(confidence, selfCritique)) {
            ++question.confidentMisses;
            ++summary.confidentMisses;
        }
    }

    ++m_totals.students;
    if (!record.starts.empty() || !record.entries.empty())
        ++m_totals.studentsStarted;
    m_totals.entries += summary.entries;
    m_totals.confidence.sum += summary.confidence.sum;
    m_totals.confidence.count += summary.confidence.count;
    m_totals.selfCritique.sum += summary.selfCritique.sum;
    m_totals.selfCritique.count += summary.selfCritique.count;
    m_totals.confidentMisses += summary.confidentMisses;
    m_totals.otherRatings += summary.otherRatings;
    keepLatest(m_totals.lastDay, summary.lastDay);
    m_students.push_back(std::move(summary));
}

std::vector<QuestionSummary> ClassStatistics::questions() const
{
    std::vector<QuestionSummary> rows;
    rows.reserve(m_questions.size());
    for (const auto& [key, row] : m_questions)
        rows.push_back(row);
    return rows;
}

} // namespace calctutor::report
