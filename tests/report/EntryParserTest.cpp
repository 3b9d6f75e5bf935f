#include "report/EntryParser.h"

#include "CourseStops.h"
#include "RecordFileBuilder.h"
#include "core/Windows1252.h"

#include <gtest/gtest.h>

namespace calctutor::report {
namespace {

using namespace calctutor::testing;

std::string problemsOf(const FileReading& reading)
{
    std::string all;
    for (const ReportProblem& problem : reading.problems)
        all += std::to_string(problem.line) + ": " + problem.reason + "\n";
    return all;
}

TEST(EntryParser, ReadsAMasterFileEntryByEntry)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026")
        .master(question, "It falls\r\nby 36 cm.", confidence("2"), "10:00:05", 30002)
        .master(question, "I missed the units.", selfCritique("1"), "10:02:00", 30002)
        .master(question, "hello", "", "10:03:00", 30002)
        .note(question, "Ask about units.", "10:04:00", "09-14-2026");
    const FileReading reading = readText(file.text);
    EXPECT_EQ(problemsOf(reading), "");
    ASSERT_EQ(reading.starts.size(), 1u);
    EXPECT_EQ(reading.starts[0].start.date, "2026-09-14");
    EXPECT_EQ(reading.starts[0].start.assignment, 3);
    ASSERT_EQ(reading.entries.size(), 4u);
    const ReportEntry& answer = reading.entries[0].entry;
    EXPECT_EQ(answer.kind, EntryKind::Answer);
    EXPECT_EQ(answer.rating, "2");
    EXPECT_EQ(answer.text, "It falls\nby 36 cm.");
    EXPECT_EQ(answer.date, "2026-09-14");
    EXPECT_EQ(answer.time, "10:00:05");
    EXPECT_EQ(answer.assignment, 3);
    EXPECT_EQ(answer.question, 2);
    EXPECT_EQ(reading.entries[1].entry.kind, EntryKind::Critique);
    EXPECT_EQ(reading.entries[1].entry.rating, "1");
    EXPECT_EQ(reading.entries[2].entry.kind, EntryKind::Response);
    EXPECT_EQ(reading.entries[2].entry.rating, "");
    const ReportEntry& note = reading.entries[3].entry;
    EXPECT_EQ(note.kind, EntryKind::Note);
    EXPECT_EQ(note.text, "Ask about units.");
    EXPECT_EQ(note.question, 2);
    EXPECT_EQ(answer.files, std::vector<std::string>{"masterFile_Ann_Lee.txt"});
}

// Assignment 004 repeats questions of 003: a send file's entry is placed by
// its start header's assignment, never by the first match in the course.
TEST(EntryParser, PlacesASendFileEntryWithinItsStartsAssignment)
{
    const std::string repeated = courseStop(4, "`q003.");
    ASSERT_EQ(repeated, courseStop(3, "`q003."));
    const std::string givenAnswer = courseStop(4, "`at = 60 to 80 s"); // an answer stop: the question before it
    RecordFileText file;
    file.start("004", "09-15-2026")
        .send(repeated, "about -1.6", confidence("3"), "09:00:00")
        .send(givenAnswer, "right", selfCritique("3"), "09:01:00")
        .start("003", "09-15-2026")
        .send(repeated, "again", confidence("1"), "09:30:00");
    const FileReading reading = readText(file.text, "send_0915Ann_Lee.txt");
    EXPECT_EQ(problemsOf(reading), "");
    ASSERT_EQ(reading.entries.size(), 3u);
    EXPECT_EQ(reading.entries[0].entry.assignment, 4);
    EXPECT_EQ(reading.entries[0].entry.question, 3);
    EXPECT_EQ(reading.entries[1].entry.question, 3);
    EXPECT_EQ(reading.entries[2].entry.assignment, 3);
    EXPECT_EQ(reading.entries[2].entry.question, 3);
}

TEST(EntryParser, CountsADayForEachTimeThatRunsBackwards)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "12-31-2026")
        .send(question, "late", confidence("2"), "23:59:59")
        .send(question, "later", selfCritique("2"), "00:00:01")
        .start("003", "01-01-2027") // the same day again: its entries go on from the last time
        .send(question, "still later", confidence("1"), "00:10:00")
        .start("003", "01-02-2027")
        .send(question, "next day", confidence("1"), "08:00:00");
    const FileReading reading = readText(file.text, "send_1231Ann_Lee.txt");
    ASSERT_EQ(reading.entries.size(), 4u);
    EXPECT_EQ(reading.entries[0].entry.date, "2026-12-31");
    EXPECT_EQ(reading.entries[1].entry.date, "2027-01-01");
    EXPECT_EQ(reading.entries[2].entry.date, "2027-01-01");
    EXPECT_EQ(reading.entries[3].entry.date, "2027-01-02");
    EXPECT_EQ(reading.entries[1].instant - reading.entries[0].instant, 2);
}

// A student may type the closing line, or the opening line, inside an answer;
// only a closing line followed by a new entry, a start header or the file's
// end ends one.
TEST(EntryParser, TypedClosingAndOpeningLinesStayInTheText)
{
    const std::string question = courseStop(3, "`q002.");
    const std::string typed = std::string(kClosingLine) + "\r\n" + std::string(kOpeningLine) + "\r\nreally\r\n"
        + std::string(kClosingLine);
    RecordFileText file;
    file.start("003", "09-14-2026")
        .send(question, typed, confidence("2"), "10:00:00")
        .send(question, std::string(kClosingLine), "", "10:01:00")
        .send(question, "last", "", "10:02:00");
    const FileReading reading = readText(file.text, "send_0914Ann_Lee.txt");
    EXPECT_EQ(problemsOf(reading), "");
    ASSERT_EQ(reading.entries.size(), 3u);
    EXPECT_EQ(reading.entries[0].entry.text,
              std::string(kClosingLine) + "\n" + std::string(kOpeningLine) + "\nreally\n" + std::string(kClosingLine));
    EXPECT_EQ(reading.entries[0].entry.rating, "2");
    EXPECT_EQ(reading.entries[1].entry.text, std::string(kClosingLine));
    EXPECT_EQ(reading.entries[2].entry.text, "last");
}

struct BrokenFile {
    const char* name;
    std::string (*damage)(std::string);
    std::size_t entriesKept;
    const char* problem; // a part of the problem's reason
    std::size_t line;
};

std::string cutInsideTheLastEntry(std::string text)
{
    return text.substr(0, text.size() - 30);
}

std::string dropTheFirstClosingLine(std::string text)
{
    const std::size_t at = text.find(std::string(kClosingLine) + "\r\n");
    return text.erase(at, kClosingLine.size() + 2);
}

std::string dropTheResponseMarker(std::string text)
{
    const std::size_t at = text.find(std::string(kResponseMarker) + "\r\n");
    return text.erase(at, kResponseMarker.size() + 2);
}

std::string putBinaryInFront(std::string text)
{
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + "\r\n" + text;
}

std::string putNulBytesInAnAnswer(std::string text)
{
    const std::size_t at = text.find("first");
    return text.replace(at, 5, std::string("fi\0\0st", 6));
}

TEST(EntryParser, NamesEachDamageAndReadsOn)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026")                           // lines 1-5
        .send(question, "first", confidence("2"), "10:00:00") // lines 6-13
        .send(question, "second", selfCritique("3"), "10:01:00")
        .send(question, "third", confidence("1"), "10:02:00");
    const BrokenFile cases[] = {
        {"torn last entry", cutInsideTheLastEntry, 2, "cut short at the end of the file", 22},
        {"closing line deleted", dropTheFirstClosingLine, 2, "no closing line before line 13", 6},
        {"response marker deleted", dropTheResponseMarker, 3, "no \"RESPONSE -->\" line", 6},
        {"binary bytes before the text", putBinaryInFront, 3, "NUL bytes", 1},
        {"NUL bytes in an answer", putNulBytesInAnAnswer, 3, "NUL bytes removed", 11},
    };
    for (const BrokenFile& broken : cases) {
        const FileReading reading = readText(broken.damage(file.text), "send_0914Ann_Lee.txt");
        EXPECT_EQ(reading.entries.size(), broken.entriesKept) << broken.name;
        ASSERT_EQ(reading.problems.size(), 1u) << broken.name << "\n" << problemsOf(reading);
        EXPECT_NE(reading.problems[0].reason.find(broken.problem), std::string::npos)
            << broken.name << ": " << reading.problems[0].reason;
        EXPECT_EQ(reading.problems[0].line, broken.line) << broken.name;
        EXPECT_EQ(reading.problems[0].file, "class/send_0914Ann_Lee.txt") << broken.name;
    }
}

TEST(EntryParser, ReadsAFileReSavedAsUtf8AndSaysSo)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026").send(question, "na\xEFve \x96 caf\xE9", confidence("2"), "10:00:00");
    const std::string windows = file.text;
    const std::string asUtf8 = windows1252ToUtf8(windows);
    std::string withLf = asUtf8;
    std::erase(withLf, '\r');
    const struct {
        const char* name;
        std::string text;
        bool resaved;
    } cases[] = {
        {"Windows-1252 as written", windows, false},
        {"UTF-8", asUtf8, true},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF" + asUtf8, true},
        {"UTF-8 with LF line ends", withLf, true},
    };
    for (const auto& row : cases) {
        const FileReading reading = readText(row.text, "send_0914Ann_Lee.txt");
        ASSERT_EQ(reading.entries.size(), 1u) << row.name;
        EXPECT_EQ(reading.entries[0].entry.text, "na\xC3\xAFve \xE2\x80\x93 caf\xC3\xA9") << row.name;
        EXPECT_EQ(reading.entries[0].entry.question, 2) << row.name;
        EXPECT_EQ(reading.problems.size(), row.resaved ? 1u : 0u) << row.name << problemsOf(reading);
        if (row.resaved) {
            EXPECT_NE(reading.problems[0].reason.find("re-saved as UTF-8"), std::string::npos) << row.name;
        }
    }
}

// However the file is cut into chunks, it reads the same.
TEST(EntryParser, ChunkBoundariesChangeNothing)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026");
    for (int i = 0; i < 20; ++i)
        file.master(question, "answer " + std::to_string(i) + "\r\n" + std::string(kClosingLine), confidence("2"),
                    "10:00:" + std::string(i < 10 ? "0" : "") + std::to_string(i), 30002);
    const FileReading whole = readText(file.text);
    ASSERT_EQ(whole.entries.size(), 20u);
    for (const std::size_t chunk : {1u, 7u, 64u, 1000u}) {
        ReadLimits limits;
        limits.chunkBytes = chunk;
        const FileReading pieces = readText(file.text, "masterFile_Ann_Lee.txt", limits);
        ASSERT_EQ(pieces.entries.size(), 20u) << chunk;
        EXPECT_EQ(problemsOf(pieces), "") << chunk;
        for (std::size_t i = 0; i < 20; ++i)
            EXPECT_EQ(pieces.entries[i].entry.text, whole.entries[i].entry.text) << chunk;
    }
}

TEST(EntryParser, SkipsWhatIsTooLongToHoldAndReadsOn)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026")
        .send(question, std::string(5000, 'x'), confidence("2"), "10:00:00") // one line of 5000 bytes
        .send(question, "short", confidence("1"), "10:01:00");
    ReadLimits limits;
    limits.chunkBytes = 256;
    limits.longestEntryBytes = 1024;
    const FileReading reading = readText(file.text, "send_0914Ann_Lee.txt", limits);
    ASSERT_EQ(reading.entries.size(), 1u) << problemsOf(reading);
    EXPECT_EQ(reading.entries[0].entry.text, "short");
    ASSERT_FALSE(reading.problems.empty());
    EXPECT_NE(problemsOf(reading).find("longer than"), std::string::npos) << problemsOf(reading);
}

TEST(EntryParser, StopsAFileWhoseEntriesWouldFillMemory)
{
    const std::string question = courseStop(3, "`q002.");
    RecordFileText file;
    file.start("003", "09-14-2026");
    for (int i = 0; i < 50; ++i)
        file.send(question, std::string(1000, 'y'), confidence("2"), "10:00:00");
    ReadLimits limits;
    limits.chunkBytes = 4096;
    limits.heldBytesPerFile = 20000;
    const FileReading reading = readText(file.text, "send_0914Ann_Lee.txt", limits);
    EXPECT_LT(reading.entries.size(), 50u);
    ASSERT_EQ(reading.problems.size(), 1u);
    EXPECT_NE(reading.problems[0].reason.find("the rest of the file is not read"), std::string::npos);
}

} // namespace
} // namespace calctutor::report
