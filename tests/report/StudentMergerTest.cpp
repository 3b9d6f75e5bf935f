#include "report/StudentMerger.h"

#include "CourseStops.h"
#include "RecordFileBuilder.h"

#include <gtest/gtest.h>

namespace calctutor::report {
namespace {

using namespace calctutor::testing;

struct StudentFiles {
    std::vector<FileReading> files;
    std::vector<ReportProblem> problems;

    StudentFiles& add(const std::string& name, const RecordFileText& text)
    {
        files.push_back(readText(text.text, name));
        return *this;
    }
    StudentRecord merged() { return mergeStudent("Ann Lee", files, problems); }
};

class StudentMergerTest : public ::testing::Test {
protected:
    const std::string question = courseStop(3, "`q002.");
    const std::string answer = courseStop(3, "`aSlope = rise / run");
};

// The tutor reads the clock once per file: the send file's time may be a
// second later than the master file's.
TEST_F(StudentMergerTest, CountsTheMasterAndSendCopiesOnce)
{
    RecordFileText master;
    master.start("003", "09-14-2026")
        .note(question, "starting late", "23:50:00", "09-14-2026")
        .master(question, "-1.8 cm/s", confidence("2"), "23:59:59", 30002)
        .master(answer, "fine", selfCritique("3"), "10:00:00" /* past midnight */, 30002);
    RecordFileText send;
    send.start("003", "09-14-2026")
        .note(question, "starting late", "23:50:00", "09-14-2026")
        .send(question, "-1.8 cm/s", confidence("2"), "00:00:00") // a second later, the next day
        .send(answer, "fine", selfCritique("3"), "10:00:01");
    StudentFiles student;
    student.add("masterFile_Ann_Lee.txt", master)
        .add("send_0914Ann_Lee.txt", send)
        .add("send_0914Ann_Lee (1).txt", send); // sent twice
    const StudentRecord record = student.merged();
    EXPECT_TRUE(student.problems.empty()) << student.problems[0].reason;
    ASSERT_EQ(record.entries.size(), 3u);
    EXPECT_EQ(record.entries[1].date, "2026-09-14");
    EXPECT_EQ(record.entries[1].time, "23:59:59");
    EXPECT_EQ(record.entries[1].files,
              (std::vector<std::string>{"masterFile_Ann_Lee.txt", "send_0914Ann_Lee (1).txt", "send_0914Ann_Lee.txt"}));
    EXPECT_EQ(record.entries[2].date, "2026-09-15");
    EXPECT_EQ(record.entries[2].question, 2);
    ASSERT_EQ(record.starts.size(), 1u); // one start, written to both files
}

// Past a student's 64th file the files an entry was found in are kept another way.
TEST_F(StudentMergerTest, ManyFilesStillJoinCopiesButNeverTwoEntriesOfOneFile)
{
    RecordFileText send;
    send.start("003", "09-14-2026")
        .send(question, "same", confidence("2"), "10:00:00")
        .send(question, "same", confidence("2"), "10:00:00"); // typed twice in one second: two entries
    StudentFiles student;
    for (int copy = 0; copy < 70; ++copy)
        student.add("send_0914Ann_Lee (" + std::to_string(copy) + ").txt", send);
    const StudentRecord record = student.merged();
    ASSERT_EQ(record.entries.size(), 2u);
    EXPECT_EQ(record.entries[0].files.size(), 70u);
    EXPECT_EQ(record.entries[1].files.size(), 70u);
}

TEST_F(StudentMergerTest, KeepsApartEntriesMoreThanASecondApartOrInOneFile)
{
    RecordFileText master;
    master.start("003", "09-14-2026")
        .master(question, "ok", confidence("2"), "10:00:00", 30002)
        .master(question, "ok", confidence("2"), "10:00:00", 30002); // typed twice in one second: two entries
    RecordFileText send;
    send.start("003", "09-14-2026")
        .send(question, "ok", confidence("2"), "10:00:02")
        .send(question, "ok", confidence("2"), "10:00:02");
    StudentFiles student;
    student.add("masterFile_Ann_Lee.txt", master).add("send_0914Ann_Lee.txt", send);
    EXPECT_EQ(student.merged().entries.size(), 4u);
}

TEST_F(StudentMergerTest, NamesACopyWhoseRatingWasEditedAsAConflict)
{
    RecordFileText master;
    master.start("003", "09-14-2026").master(question, "-1.8", confidence("1"), "10:00:00", 30002);
    RecordFileText send;
    send.start("003", "09-14-2026").send(question, "-1.8", confidence("3"), "10:00:01");
    StudentFiles student;
    student.add("masterFile_Ann_Lee.txt", master).add("send_0914Ann_Lee.txt", send);
    const StudentRecord record = student.merged();
    ASSERT_EQ(record.entries.size(), 1u);
    EXPECT_EQ(record.entries[0].rating, "1"); // the master file's copy
    ASSERT_EQ(student.problems.size(), 1u);
    const ReportProblem& conflict = student.problems[0];
    EXPECT_EQ(conflict.file, "class/send_0914Ann_Lee.txt");
    EXPECT_EQ(conflict.line, 6u);
    EXPECT_EQ(conflict.reason,
              "conflict: this entry has answer rating \"3\", its copy in class/masterFile_Ann_Lee.txt "
              "at line 6 has answer rating \"1\"; the report uses that copy");
}

// A notes file has no start headers: its notes take their date from their
// own date-time line and their place from their copy in the master file.
TEST_F(StudentMergerTest, PlacesANotesFilesNoteByItsCopy)
{
    RecordFileText master;
    master.start("003", "09-14-2026").note(question, "units?", "10:00:00", "09-14-2026");
    RecordFileText notes;
    notes.note(question, "units?", "10:00:00", "09-14-2026").note(question, "alone", "11:00:00", "09-14-2026");
    StudentFiles student;
    student.add("masterFile_Ann_Lee.txt", master).add("notes_Ann_Lee.txt", notes);
    const StudentRecord record = student.merged();
    EXPECT_TRUE(student.problems.empty());
    ASSERT_EQ(record.entries.size(), 2u);
    EXPECT_EQ(record.entries[0].assignment, 3);
    EXPECT_EQ(record.entries[0].question, 2);
    EXPECT_EQ(record.entries[0].files, (std::vector<std::string>{"masterFile_Ann_Lee.txt", "notes_Ann_Lee.txt"}));
    EXPECT_EQ(record.entries[1].date, "2026-09-14");
    EXPECT_EQ(record.entries[1].assignment, 0);
}

} // namespace
} // namespace calctutor::report
