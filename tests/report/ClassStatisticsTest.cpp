#include "report/ClassStatistics.h"

#include <gtest/gtest.h>

namespace calctutor::report {
namespace {

ReportEntry entry(EntryKind kind, int assignment, int question, std::string rating, std::string date = "2026-09-01")
{
    ReportEntry result;
    result.kind = kind;
    result.assignment = assignment;
    result.question = question;
    result.rating = std::move(rating);
    result.date = std::move(date);
    result.time = "10:00:00";
    return result;
}

StudentRecord sampleStudent()
{
    StudentRecord record;
    record.name = "Ann Lee";
    record.starts = {{"2026-09-01", 3}, {"2026-09-02", 3}, {"2026-09-03", 4}};
    record.entries = {
        entry(EntryKind::Answer, 3, 1, "3"),    entry(EntryKind::Critique, 3, 1, "1"), // a confident miss
        entry(EntryKind::Answer, 3, 2, "1"),    entry(EntryKind::Critique, 3, 2, "3"),
        entry(EntryKind::Answer, 3, 1, "2"),    entry(EntryKind::Critique, 3, 1, "3"), // answered again: counted once
        entry(EntryKind::Answer, 4, 1, "sure"), entry(EntryKind::Critique, 4, 1, "0"), // a rating typed as text
        entry(EntryKind::Note, 4, 1, ""),       entry(EntryKind::Response, 0, 0, "", "2026-09-04"),
    };
    return record;
}

TEST(ClassStatistics, SumsUpOneStudent)
{
    ClassStatistics statistics;
    statistics.student(sampleStudent());
    ASSERT_EQ(statistics.students().size(), 1u);
    const StudentSummary& ann = statistics.students()[0];
    EXPECT_EQ(ann.assignmentsStarted, 2);
    EXPECT_EQ(ann.questionsAnswered, 3);
    EXPECT_EQ(ann.critiques, 4);
    EXPECT_EQ(ann.notes, 1);
    EXPECT_EQ(ann.entries, 10);
    EXPECT_DOUBLE_EQ(ann.confidence.mean(), 2.0);       // 3, 1, 2
    EXPECT_DOUBLE_EQ(ann.selfCritique.mean(), 7.0 / 4); // 1, 3, 3, 0
    EXPECT_EQ(ann.confidentMisses, 1);
    EXPECT_EQ(ann.otherRatings, 1);
    EXPECT_EQ(ann.lastDay, "2026-09-04");
}

TEST(ClassStatistics, FillsTheQuestionRowsAndTheCrossTable)
{
    ClassStatistics statistics;
    statistics.student(sampleStudent());
    StudentRecord bob;
    bob.name = "Bob";
    bob.entries = {entry(EntryKind::Answer, 3, 1, "2"), entry(EntryKind::Critique, 3, 1, "2")};
    statistics.student(bob);

    const std::vector<QuestionSummary> rows = statistics.questions();
    ASSERT_EQ(rows.size(), 4u); // 0/0, 3/1, 3/2, 4/1 in that order
    EXPECT_EQ(rows[0].assignment, 0);
    const QuestionSummary& first = rows[1];
    EXPECT_EQ(first.question, 1);
    EXPECT_EQ(first.studentsAnswering, 2);
    EXPECT_EQ(first.counts[3][1], 1);
    EXPECT_EQ(first.counts[2][3], 1);
    EXPECT_EQ(first.counts[2][2], 1);
    EXPECT_EQ(first.confidentMisses, 2);
    EXPECT_DOUBLE_EQ(first.shareRatedThree(), 1.0 / 3);
    EXPECT_EQ(rows[3].notes, 1);
    EXPECT_EQ(rows[3].confidentMisses, 0); // "sure" is not on the scale

    const ClassTotals& totals = statistics.totals();
    EXPECT_EQ(totals.students, 2);
    EXPECT_EQ(totals.studentsStarted, 2);
    EXPECT_EQ(totals.entries, 12);
    EXPECT_EQ(totals.confidentMisses, 2);
    EXPECT_EQ(totals.firstDay, "2026-09-01");
    EXPECT_EQ(totals.lastDay, "2026-09-04");
}

TEST(ClassStatistics, ACritiqueBeforeAnyAnswerIsNotPaired)
{
    StudentRecord record;
    record.entries = {entry(EntryKind::Critique, 3, 1, "0"), entry(EntryKind::Answer, 3, 1, "3"),
                      entry(EntryKind::Answer, 3, 1, "2"), entry(EntryKind::Critique, 3, 1, "0")};
    const auto pairs = answerCritiquePairs(record);
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0], (std::pair<std::size_t, std::size_t>{2, 3}));
}

TEST(ClassStatistics, OnlyTheFourDigitsAreOnTheScale)
{
    for (const char* text : {"0", "1", "2", "3"})
        EXPECT_EQ(scaleRating(text), text[0] - '0') << text;
    for (const char* text : {"", "4", "03", " 2", "2 ", "-1", "two"})
        EXPECT_EQ(scaleRating(text), -1) << text;
}

} // namespace
} // namespace calctutor::report
