#include "report/CsvWriter.h"
#include "report/ReportFilter.h"
#include "report/Roster.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace calctutor::report {
namespace {

TEST(CsvCell, QuotesAsRfc4180AndDisarmsFormulas)
{
    const struct {
        const char* value;
        const char* cell;
    } rows[] = {
        {"plain", "plain"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"=1+2", "'=1+2"},
        {"+49 30", "'+49 30"},
        {"-1.8 cm/s", "'-1.8 cm/s"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"=HYPERLINK(\"x\",\"y\")", "\"'=HYPERLINK(\"\"x\"\",\"\"y\"\")\""},
        {"a=b", "a=b"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(csvCell(row.value), row.cell) << row.value;
}

TEST(CsvWriter, WritesAByteOrderMarkAndCrLfRows)
{
    testing::TempFolder folder;
    const std::string path = folder.file("out.csv");
    CsvWriter writer(path, {"student", "text"});
    writer.row({"Zo\xC3\xAB", "a\nb"});
    ASSERT_TRUE(writer.close());
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "\xEF\xBB\xBFstudent,text\r\nZo\xC3\xAB,\"a\nb\"\r\n");
}

TEST(Roster, ReadsNamesOrTheFirstColumnOfACsvFile)
{
    const Roster plain = Roster::fromText("Ann Lee\r\n  \r\nBo_Chen\nann  lee\n");
    EXPECT_EQ(plain.names(), (std::vector<std::string>{"Ann Lee", "Bo_Chen"}));
    const Roster csv = Roster::fromText("\xEF\xBB\xBFName,E-mail\r\n\"Lee, Ann\",ann@x\r\nZo\xEB Wu,z@x\r\n");
    EXPECT_EQ(csv.names(), (std::vector<std::string>{"Lee, Ann", "Zo\xC3\xAB Wu"}));

    const std::vector<std::string> students = {"ann lee", "Bo Chen", "Cy Dee"};
    EXPECT_EQ(plain.missing(students), std::vector<std::string>{});
    EXPECT_EQ(plain.unlisted(students), std::vector<std::string>{"Cy Dee"});
    EXPECT_EQ(csv.missing(students), (std::vector<std::string>{"Lee, Ann", "Zo\xC3\xAB Wu"}));
}

TEST(ReportFilter, ReadsAssignmentListsAndDates)
{
    EXPECT_EQ(parseAssignmentList("1-5,8"), (std::set<int>{1, 2, 3, 4, 5, 8}));
    EXPECT_EQ(parseAssignmentList("3"), std::set<int>{3});
    for (const char* bad : {"", "1-", "5-1", "a", "1,,2", "1,", "-3", "1-2-3"})
        EXPECT_FALSE(parseAssignmentList(bad).has_value()) << bad;
    EXPECT_TRUE(isIsoDate("2026-02-28"));
    for (const char* bad : {"2026-02-30", "02-28-2026", "2026-2-28", ""})
        EXPECT_FALSE(isIsoDate(bad)) << bad;

    ReportFilter filter;
    filter.assignments = {3};
    filter.since = "2026-09-10";
    EXPECT_TRUE(filter.keeps(3, "2026-09-10"));
    EXPECT_FALSE(filter.keeps(3, "2026-09-09"));
    EXPECT_FALSE(filter.keeps(4, "2026-09-10"));
    EXPECT_FALSE(filter.keeps(3, "")); // a date range leaves out entries of unknown date
}

} // namespace
} // namespace calctutor::report
