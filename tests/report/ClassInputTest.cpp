#include "report/ClassInput.h"
#include "report/ClassReader.h"

#include "CourseStops.h"
#include "RecordFileBuilder.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#ifdef CALCTUTOR_HAVE_ZIP
#include <zip.h>
#endif

namespace calctutor::report {
namespace {

using namespace calctutor::testing;
namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string sendFile(const std::string& answer)
{
    RecordFileText file;
    file.start("003", "09-14-2026").send(courseStop(3, "`q002."), answer, confidence("2"), "10:00:00");
    return file.text;
}

// Collects what the reader hands over.
struct Collected : StudentSink {
    std::vector<StudentRecord> students;
    void student(const StudentRecord& record) override { students.push_back(record); }
};

std::string reasons(const std::vector<ReportProblem>& problems)
{
    std::string all;
    for (const ReportProblem& problem : problems)
        all += problem.file + ": " + problem.reason + "\n";
    return all;
}

TEST(ClassInput, FindsRecordFilesInFoldersAndGroupsThemByStudent)
{
    TempFolder folder;
    const fs::path root = folder.path();
    writeFile(root / "inbox" / "12_send_0914Ann_Lee.txt", sendFile("from mail"));
    writeFile(root / "inbox" / "send_0914Ann_Lee (1).txt", sendFile("from mail"));
    writeFile(root / "lms" / "Bo" / "send_0914Bo_Chen.txt", sendFile("bo's"));
    writeFile(root / "lms" / "Bo" / ".pending_Bo_Chen.txt", "");
    writeFile(root / "lms" / "readme.txt", "hello");

    ClassInput input;
    input.add(root);
    const auto students = input.byStudent();
    ASSERT_EQ(students.size(), 2u);
    EXPECT_EQ(input.studentName(input.file(students[0].first)), "Ann Lee");
    EXPECT_EQ(students[0].end - students[0].first, 2u);
    EXPECT_EQ(input.studentName(input.file(students[1].first)), "Bo Chen");
    EXPECT_EQ(input.displayName(input.file(students[1].first)), "send_0914Bo_Chen.txt");
    std::set<std::string> annsFiles = {input.displayName(input.file(0)), input.displayName(input.file(1))};
    EXPECT_EQ(annsFiles, (std::set<std::string>{"12_send_0914Ann_Lee.txt", "send_0914Ann_Lee (1).txt"}));
    EXPECT_EQ(input.skipped().size(), 2u);
    EXPECT_TRUE(input.problems().empty()) << reasons(input.problems());

    Collected collected;
    ClassReader reader(input, CourseIndex::builtIn());
    reader.read(collected);
    ASSERT_EQ(collected.students.size(), 2u);
    ASSERT_EQ(collected.students[0].entries.size(), 1u); // the same send file twice
    EXPECT_EQ(collected.students[0].entries[0].files.size(), 2u);
    EXPECT_EQ(reader.filesRead(), 3u);
}

// Everything the reader hands over and finds wrong, in its order.
std::string wholeReading(ClassInput& input, unsigned threads)
{
    Collected collected;
    ClassReader reader(input, CourseIndex::builtIn(), {}, threads);
    reader.read(collected);
    std::string all = reasons(reader.problems()) + std::to_string(reader.filesRead()) + " files\n";
    for (const StudentRecord& student : collected.students) {
        all += student.name + ":";
        for (const ReportEntry& entry : student.entries)
            all += " " + entry.date + " " + entry.time + " " + entry.text + " [" + std::to_string(entry.files.size())
                + "]";
        all += "\n";
    }
    return all;
}

TEST(ClassReader, HandsOverTheSameClassInTheSameOrderOnAnyNumberOfThreads)
{
    TempFolder folder;
    const fs::path root = folder.path();
    for (int student = 0; student < 23; ++student) {
        const std::string name = "Student_" + std::to_string(100 + student);
        writeFile(root / name / ("send_0914" + name + ".txt"), sendFile("answer of " + name));
        if (student % 3 == 0) // a problem for some students, to come out in student order
            writeFile(root / name / ("masterFile_" + name + ".txt"), sendFile("torn").substr(0, 300));
    }
    ClassInput input;
    input.add(root);
    const std::string oneThread = wholeReading(input, 1);
    EXPECT_NE(oneThread.find("Student 122: 2026-09-14 10:00:00 answer of Student_122 [1]"), std::string::npos)
        << oneThread;
    EXPECT_NE(oneThread.find("31 files"), std::string::npos) << oneThread;
    for (const unsigned threads : {2u, 3u, 8u}) {
        ClassInput again;
        again.add(root);
        EXPECT_EQ(wholeReading(again, threads), oneThread) << threads << " threads";
    }
}

TEST(ClassReader, AnOutputThatFailsStopsTheReadingThreads)
{
    TempFolder folder;
    for (int student = 0; student < 40; ++student)
        writeFile(fs::path(folder.path()) / ("send_0914S" + std::to_string(student) + ".txt"), sendFile("x"));
    struct Failing : StudentSink {
        std::size_t seen = 0;
        void student(const StudentRecord&) override
        {
            if (++seen == 5)
                throw std::runtime_error("disk full");
        }
    } failing;
    ClassInput input;
    input.add(folder.path());
    ClassReader reader(input, CourseIndex::builtIn(), {}, 4);
    EXPECT_THROW(reader.read(failing), std::runtime_error); // and returns: no thread left waiting
    EXPECT_EQ(failing.seen, 5u);
}

#ifndef _WIN32
TEST(ClassInput, RefusesLoopsPipesAndUnreadableFilesWithoutWaiting)
{
    TempFolder folder;
    const fs::path root = folder.path();
    writeFile(root / "class" / "masterFile_Ann.txt", sendFile("ok"));
    fs::create_directory_symlink("..", root / "class" / "back");
    ASSERT_EQ(::mkfifo((root / "class" / "send_0914Ann.txt").c_str(), 0644), 0);
    ASSERT_EQ(::mkfifo((root / "named.txt").c_str(), 0644), 0);
    writeFile(root / "class" / "notes_Ann.txt", "x");
    fs::permissions(root / "class" / "notes_Ann.txt", fs::perms::none);
    const bool rootUser = ::geteuid() == 0; // root reads any file

    ClassInput input;
    input.add(root / "class");
    input.add(root / "named.txt");
    input.add(root / "missing");
    Collected collected;
    ClassReader reader(input, CourseIndex::builtIn());
    reader.read(collected);
    const std::string all = reasons(reader.problems());
    EXPECT_NE(all.find("back/class: a link back into a folder that is being searched"), std::string::npos) << all;
    EXPECT_NE(all.find("send_0914Ann.txt: cannot be read: it is a named pipe (FIFO), not a file"), std::string::npos)
        << all;
    EXPECT_NE(all.find("named.txt: it is a named pipe (FIFO), not a file"), std::string::npos) << all;
    EXPECT_NE(all.find("missing: does not exist"), std::string::npos) << all;
    if (!rootUser) {
        EXPECT_NE(all.find("notes_Ann.txt: cannot be read: Permission denied"), std::string::npos) << all;
    }
    ASSERT_EQ(collected.students.size(), 1u);
    EXPECT_EQ(collected.students[0].entries.size(), 1u);
}
#endif

#ifdef CALCTUTOR_HAVE_ZIP
void writeZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members)
{
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : members) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        ASSERT_GE(zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

TEST(ClassInput, ReadsZipArchivesInMemoryAndRefusesUnsafeMembersAndBombs)
{
    TempFolder folder;
    const std::string zipPath = folder.file("class.zip");
    const std::string big = sendFile(std::string(200000, 'z')); // unpacks to far more than it takes
    writeZip(zipPath,
             {{"Ann/masterFile_Ann.txt", sendFile("in the zip")},
              {"../evil/send_0914Ann.txt", sendFile("x")},
              {"/etc/notes_Ann.txt", sendFile("x")},
              {"Bo/masterFile_Bo.txt", big}});
    ZipLimits limits;
    limits.unpackedBytes = 100000;
    ClassInput input(limits);
    input.add(zipPath);
    Collected collected;
    ClassReader reader(input, CourseIndex::builtIn());
    reader.read(collected);
    const std::string all = reasons(reader.problems());
    EXPECT_NE(all.find("\"../evil/send_0914Ann.txt\" is named with \"..\" or an absolute path"), std::string::npos)
        << all;
    EXPECT_NE(all.find("\"/etc/notes_Ann.txt\" is named with"), std::string::npos) << all;
    EXPECT_NE(all.find("class.zip:Bo/masterFile_Bo.txt: reading stopped here"), std::string::npos) << all;
    ASSERT_EQ(collected.students.size(), 2u);
    ASSERT_EQ(collected.students[0].entries.size(), 1u);
    EXPECT_EQ(collected.students[0].entries[0].text, "in the zip");
    EXPECT_FALSE(fs::exists(fs::path(folder.path()) / "Ann")); // never unpacked to disk

    ZipLimits few;
    few.members = 2;
    ClassInput tooMany(few);
    tooMany.add(zipPath);
    EXPECT_NE(reasons(tooMany.problems()).find("more than the 2 a class can have"), std::string::npos);
}
#endif

TEST(ClassInput, UnsafeMemberNames)
{
    for (const char* name : {"../a.txt", "a/../../b.txt", "/abs.txt", "\\abs.txt", "C:/x.txt", "a\\..\\b.txt"})
        EXPECT_TRUE(isUnsafeMemberName(name)) << name;
    for (const char* name : {"a.txt", "a/b.txt", "a..b.txt", "..a/b.txt"})
        EXPECT_FALSE(isUnsafeMemberName(name)) << name;
}

} // namespace
} // namespace calctutor::report
