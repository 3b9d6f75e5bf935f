#include "PlannedServices.h"
#include "SimulatedClock.h"
#include "TruthFile.h"

#include <gtest/gtest.h>

namespace calctutor::classgen {
namespace {

// The tutor's dates (mm-dd-yyyy) and the truth's (YYYY-MM-DD) must name the
// same day, through month ends, year ends and leap days.
TEST(SimulatedClock, CountsDaysThroughMonthsYearsAndLeapDays)
{
    const struct {
        int year, month, day, daysAhead;
        const char* tutorDate;
        const char* truthDate;
    } rows[] = {
        {2026, 8, 31, 1, "09-01-2026", "2026-09-01"},  {2026, 12, 31, 1, "01-01-2027", "2027-01-01"},
        {2028, 2, 28, 1, "02-29-2028", "2028-02-29"},  {2026, 2, 28, 1, "03-01-2026", "2026-03-01"},
        {2100, 2, 28, 1, "03-01-2100", "2100-03-01"},  {2026, 9, 1, 122, "01-01-2027", "2027-01-01"},
        {1999, 12, 31, 1, "01-01-2000", "2000-01-01"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.truthDate);
        SimulatedClock clock(row.year, row.month, row.day);
        clock.laterDay(row.daysAhead, 3661);
        EXPECT_EQ(clock.date(), row.tutorDate);
        EXPECT_EQ(clock.isoDate(), row.truthDate);
        EXPECT_EQ(clock.time(), "01:01:01");
        EXPECT_EQ(clock.secondsSinceMidnight(), 3661);
    }
}

TEST(SimulatedClock, RunsPastMidnightIntoTheNextDay)
{
    SimulatedClock clock(2026, 10, 5);
    clock.laterDay(1, 23 * 3600 + 59 * 60 + 30);
    EXPECT_EQ(clock.date() + " " + clock.time(), "10-06-2026 23:59:30");
    clock.advance(45);
    EXPECT_EQ(clock.date() + " " + clock.time(), "10-07-2026 00:00:15");
}

// The step between the master and the send file's time line happens once,
// after the next reading, and never carries an entry into the next day.
TEST(SimulatedClock, StepsOneSecondAfterTheNextReadingButNotPastMidnight)
{
    SimulatedClock clock(2026, 9, 1);
    clock.advance(10 * 3600);
    clock.stepAfterNextReading();
    EXPECT_EQ(clock.timeOfDay(), "10:00:00") << "looking does not step";
    EXPECT_EQ(clock.time(), "10:00:00");
    EXPECT_EQ(clock.time(), "10:00:01");
    EXPECT_EQ(clock.time(), "10:00:01");

    clock.advance(14 * 3600 - 2);
    clock.stepAfterNextReading();
    EXPECT_EQ(clock.time(), "23:59:59");
    EXPECT_EQ(clock.time(), "23:59:59");
    EXPECT_EQ(clock.date(), "09-01-2026");
}

TEST(TruthFile, TextsBecomeUtf8WithLineFeedsAndCellsAreQuotedOnlyWhenNeeded)
{
    const struct {
        std::string recorded; // Windows-1252, CR LF
        std::string cell;
    } rows[] = {
        {"plain", "plain"},
        {"", ""},
        {"caf\xe9 \x92quoted\x92 \x80", "café ’quoted’ €"},
        {"two\r\nlines\r\n", "\"two\nlines\n\""},
        {"a, b", "\"a, b\""},
        {"say \"3\"", "\"say \"\"3\"\"\""},
        {"=3*t", "=3*t"}, // raw: the report's apostrophe is its own
        {" 2 ", " 2 "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.recorded);
        EXPECT_EQ(csvCell(reportText(row.recorded)), row.cell);
    }
}

TEST(PlannedInput, AnswersInOrderAndKeepsTheFirstUnplannedQuestionAsAFault)
{
    PlannedInput input;
    input.plan("Your full name:  ", "Ann Lee");
    input.plan("Assignment Number:  ", "5");
    EXPECT_EQ(input.ask("Your full name:  "), "Ann Lee");
    EXPECT_FALSE(input.allAsked());
    EXPECT_EQ(input.ask("Assess your level of confidence"), "");
    EXPECT_EQ(input.fault(), "the tutor asked a question that was not planned: Assess your level of confidence");
    EXPECT_EQ(input.ask("Assignment Number:  "), "5");
    EXPECT_TRUE(input.allAsked());
}

} // namespace
} // namespace calctutor::classgen
