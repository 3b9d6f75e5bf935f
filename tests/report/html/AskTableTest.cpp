// The questions for you come newest first: the same time keeps the order the
// students came in, an entry without a date comes last, and the rows set
// aside while the class is read leave nothing behind in the site folder.
#include "HandMadeClass.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace calctutor::report {
namespace {

TEST(AskTable, NewestFirstWithTiesInTheStudentsOrder)
{
    using testing::entry;
    const struct {
        const char* name;
        std::vector<ReportEntry> entries;
    } students[] = {
        {"Ann", {entry("2026-09-02", "10:00:00", 1, 1, EntryKind::Note, "", "ann, same time?")}},
        {"Bo",
         {entry("", "08:00:00", 0, 0, EntryKind::Note, "", "bo, no date?"),
          entry("2026-09-02", "10:00:00", 1, 1, EntryKind::Critique, "2", "bo, same time?")}},
        {"Cy",
         {entry("2026-09-01", "23:59:59", 1, 1, EntryKind::Note, "", "cy, oldest with a date?"),
          entry("2026-09-10", "00:00:00", 2, 1, EntryKind::Note, "", "cy, newest?")}},
    };
    testing::TempFolder folder;
    testing::SiteUnderTest pages(folder.path());
    for (const auto& student : students) {
        StudentRecord record;
        record.name = student.name;
        record.entries = student.entries;
        pages.student(record);
    }
    ASSERT_FALSE(pages.site().finish({}, {}).has_value());

    std::ifstream in(folder.file("index.html"), std::ios::binary);
    std::stringstream index;
    index << in.rdbuf();
    std::vector<std::size_t> places;
    for (const char* text :
         {"cy, newest?", "ann, same time?", "bo, same time?", "cy, oldest with a date?", "bo, no date?"}) {
        places.push_back(index.str().find(std::string("<td class=\"text\">") + text));
        ASSERT_NE(places.back(), std::string::npos) << text;
    }
    EXPECT_TRUE(std::is_sorted(places.begin(), places.end()));

    std::vector<std::string> left;
    for (const auto& file : std::filesystem::directory_iterator(folder.path()))
        left.push_back(file.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"index.html", "questions", "students"}));
}

// A scratch file that cannot take the rows (here, the full device) is
// reported by finish(), not left as a class page without its asks.
TEST(AskTable, ReportsRowsItCouldNotSetAside)
{
#ifdef _WIN32
    GTEST_SKIP() << "no /dev/full on Windows";
#else
    testing::TempFolder folder;
    std::filesystem::create_symlink("/dev/full", folder.file("asks.tmp"));
    testing::SiteUnderTest pages(folder.path());
    for (const StudentRecord& student : testing::handMadeClass())
        pages.student(student);
    const auto fault = pages.site().finish({}, {});
    ASSERT_TRUE(fault.has_value());
    EXPECT_NE(fault->find("asks.tmp"), std::string::npos) << *fault;
#endif
}

} // namespace
} // namespace calctutor::report
