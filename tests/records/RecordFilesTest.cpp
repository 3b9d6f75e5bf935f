#include "records/RecordFiles.h"

#include "platform/NativeFiles.h"
#include "records/IntentRecord.h"
#include "records/RecordFileNames.h"
#include "records/RecordMessages.h"
#include "records/SyncFaults.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace calctutor {
namespace {

using namespace calctutor::testing;

struct RecordFilesTest : ::testing::Test {
    RecordFilesTest() { syncFaults() = {}; }
    std::optional<Failure> append(const std::vector<std::string>& texts)
    {
        return appendEntry(files, pending, {master, send}, texts);
    }

    TempFolder folder;
    DiskRecordFiles files;
    const std::string master = folder.file("masterFile_Ann.txt");
    const std::string send = folder.file("send_0712Ann.txt");
    const std::string pending = folder.file(".pending_Ann.txt");
};

TEST_F(RecordFilesTest, AppendsEachTextToItsFileCreatingMissingFilesAndLeavesNoIntent)
{
    writeFile(master, "before\r\n");
    EXPECT_FALSE(append({"one\r\n", "two\r\n"}).has_value());
    EXPECT_FALSE(append({"three\r\n", "four\r\n"}).has_value());
    EXPECT_EQ(readFile(master), "before\r\none\r\nthree\r\n");
    EXPECT_EQ(readFile(send), "two\r\nfour\r\n");
    EXPECT_EQ(readFile(pending), "");
}

TEST_F(RecordFilesTest, EveryFileIsFlushedBeforeSuccessAndTheIntentAroundThem)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    ASSERT_FALSE(append({"one\r\n", "two\r\n"}).has_value());
    const std::vector<std::string>& synced = syncFaults().synced;
    auto position = [&](const std::string& path, std::size_t from) {
        return std::find(synced.begin() + static_cast<std::ptrdiff_t>(from), synced.end(), path) - synced.begin();
    };
    const auto intentWritten = position(pending, 0);
    const auto masterSynced = position(master, 0);
    const auto sendSynced = position(send, 0);
    const auto intentCleared = position(pending, static_cast<std::size_t>(intentWritten) + 1);
    ASSERT_LT(intentCleared, static_cast<std::ptrdiff_t>(synced.size())) << "the intent record was not flushed twice";
    EXPECT_LT(intentWritten, masterSynced);
    EXPECT_LT(masterSynced, intentCleared);
    EXPECT_LT(sendSynced, intentCleared);
    // Both files and the intent record were new: their names must outlast a power cut as well.
    EXPECT_EQ(std::count(synced.begin(), synced.begin() + intentWritten, folder.path()), 3);
}

// The generator's writer: the same bytes and the same intent record, but
// nothing flushed; the tutor's writer keeps flushing every entry.
TEST_F(RecordFilesTest, AWriterThatLeavesFlushingToTheSystemWritesTheSameBytesAndFlushesNothing)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    DiskRecordFiles unflushed(DiskRecordFiles::Flushing::LeftToSystem);
    writeFile(master, "before\r\n");
    ASSERT_FALSE(appendEntry(unflushed, pending, {master, send}, {"one\r\n", "two\r\n"}).has_value());
    ASSERT_FALSE(appendEntry(unflushed, pending, {master, send}, {"three\r\n", "four\r\n"}).has_value());
    EXPECT_EQ(readFile(master), "before\r\none\r\nthree\r\n");
    EXPECT_EQ(readFile(send), "two\r\nfour\r\n");
    EXPECT_EQ(readFile(pending), "");
    EXPECT_TRUE(syncFaults().synced.empty());

    ASSERT_FALSE(append({"five\r\n", "six\r\n"}).has_value());
    EXPECT_FALSE(syncFaults().synced.empty()) << "the default writer must still flush";
}

// A failure at any step leaves every file as it was and names the file.
TEST_F(RecordFilesTest, AFailedFlushLeavesEveryFileAsBefore)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    const struct {
        std::string failing;
        std::string said;
    } rows[] = {
        {"masterFile_Ann.txt", "The record file cannot be saved to disk: " + master},
        {"send_0712Ann.txt", "The record file cannot be saved to disk: " + send},
        {".pending_Ann.txt", "The record of entries in progress cannot be written: " + pending},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.failing);
        writeFile(master, "kept\r\n");
        writeFile(send, "");
        syncFaults() = {{}, row.failing, EIO};
        const auto error = append({"lost\r\n", "lost too\r\n"});
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(failureSentence(*error), row.said + ": Input/output error.");
        EXPECT_EQ(readFile(master), "kept\r\n");
        EXPECT_EQ(readFile(send), "");
        EXPECT_EQ(readFile(pending), "") << "the entry was taken back, so nothing is left for the next start";
    }
}

// The cut itself cannot be flushed: the intent record stays, so the next
// start or entry finishes taking the entry out.
TEST_F(RecordFilesTest, ACutThatCannotBeFlushedKeepsTheIntentForTheNextStart)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    writeFile(master, "kept\r\n");
    syncFaults() = {{}, "send_0712Ann.txt", EIO, 2};
    ASSERT_TRUE(append({"lost\r\n", "lost too\r\n"}).has_value());
    EXPECT_EQ(readFile(pending),
              formatIntent({{"masterFile_Ann.txt", 6, "lost\r\n"}, {"send_0712Ann.txt", 0, "lost too\r\n"}}));
    EXPECT_EQ(readFile(master), "kept\r\n");
    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.failure.has_value());
    EXPECT_EQ(readFile(pending), "");
}

TEST_F(RecordFilesTest, AFailedEntryNeverErasesWhatAnotherTutorAppendedMeanwhile)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    writeFile(master, "old\r\n");
    // Tutor A opens its files and shows the rating box; meanwhile tutor B
    // records a whole entry; then A's entry fails on the send file.
    RecordFiles::Opened a = files.open(pending, {master, send});
    ASSERT_TRUE(a.entry);
    DiskRecordFiles otherTutor;
    ASSERT_FALSE(appendEntry(otherTutor, pending, {master, send}, {"B master\r\n", "B send\r\n"}).has_value());
    syncFaults() = {{}, "send_0712Ann.txt", EIO};
    ASSERT_TRUE(a.entry->commit({"A master\r\n", "A send\r\n"}).has_value());
    EXPECT_EQ(readFile(master), "old\r\nB master\r\n");
    EXPECT_EQ(readFile(send), "B send\r\n");
}

TEST_F(RecordFilesTest, AShortWriteCutsBackOnlyThisEntry)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and a file size limit (RLIMIT_FSIZE), which Windows does not have";
#else
    writeFile(send, std::string(1000, 's'));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1020, 1020}; // room for 20 more bytes in the send file
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const auto error = append({std::string(50, 'm'), std::string(50, 'x')});
        const bool named = error
            && failureSentence(*error) == "The record file cannot be written: " + send + ": File too large.";
        ::_exit(named ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the short write was not reported with the file and the reason";
    EXPECT_EQ(readFile(master), "");
    EXPECT_EQ(readFile(send), std::string(1000, 's'));
#endif
}

TEST_F(RecordFilesTest, AMissingFolderIsReportedBeforeAnyFileIsCreated)
{
    const std::string gone = folder.file("gone");
    const std::string inGone = native::joinPath(gone, "send.txt");
    const auto error = appendEntry(files, pending, {master, inGone}, {"one\r\n", "two\r\n"});
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(failureSentence(*error),
              "The record file " + inGone + " cannot be created in the folder " + gone + ": it does not exist.");
    EXPECT_FALSE(std::filesystem::exists(master));
}

// What stands where a record file should be is named, and nothing waits on it.
TEST_F(RecordFilesTest, RefusesWhatIsNotAFileWithoutWaiting)
{
    const struct {
        const char* name;
        std::function<void(const std::string&)> make;
        const char* said;
    } rows[] = {
        {"folder", [](const std::string& path) { std::filesystem::create_directory(path); }, "a folder"},
#ifdef _WIN32
    };
    std::puts("[   NOTE   ] the FIFO, device and link rows need POSIX files; Windows devices are refused by name");
#else
        {"fifo", [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, "named pipe"},
        {"null device", [](const std::string& path) { std::filesystem::create_symlink("/dev/null", path); },
         "a device"},
        {"dangling link",
         [this](const std::string& path) { std::filesystem::create_symlink(folder.file("nowhere"), path); },
         "points nowhere"},
    };
#endif
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove_all(send);
        row.make(send);
        writeFile(master, "kept\r\n");
        const auto error = append({"lost\r\n", "lost\r\n"});
        ASSERT_TRUE(error.has_value());
        EXPECT_NE(failureSentence(*error).find(send), std::string::npos) << failureSentence(*error);
        EXPECT_NE(failureSentence(*error).find(row.said), std::string::npos) << failureSentence(*error);
        EXPECT_EQ(readFile(master), "kept\r\n");
    }
    EXPECT_FALSE(std::filesystem::exists(folder.file("nowhere")));
}

bool annsFile(std::string_view name)
{
    return isRecordFileOf(".pending_Ann Lee.txt", name);
}

TEST(IntentRecord, ReadsBackWhatItWroteAndTellsATornRecordFromADamagedOne)
{
    const std::vector<IntentFile> files = {{"masterFile_Ann Lee.txt", 120, "two\nlines"},
                                           {"send_0712Ann Lee.txt", 0, ""}};
    const std::string text = formatIntent(files);
    EXPECT_EQ(text,
              "calctutor entry in progress, names and bytes\n120 9 masterFile_Ann Lee.txt\ntwo\nlines\n"
              "0 0 send_0712Ann Lee.txt\n\nend\n")
        << "a record left by an earlier run must still be read";
    const ParsedIntent parsed = parseIntent(text, annsFile);
    ASSERT_EQ(parsed.kind, ParsedIntent::Kind::Whole);
    ASSERT_EQ(parsed.files.size(), 2u);
    EXPECT_EQ(parsed.files[0].name, "masterFile_Ann Lee.txt");
    EXPECT_EQ(parsed.files[0].sizeBefore, 120u);
    EXPECT_EQ(parsed.files[0].bytes, "two\nlines");
    EXPECT_EQ(parsed.files[1].bytes, "");
    EXPECT_EQ(parseIntent("", annsFile).kind, ParsedIntent::Kind::Empty);
    // Cut anywhere, it was being written when the tutor stopped: nothing was appended yet.
    for (std::size_t cut = 1; cut < text.size(); ++cut)
        EXPECT_EQ(parseIntent(text.substr(0, cut), annsFile).kind, ParsedIntent::Kind::Torn) << "cut at " << cut;
}

TEST(IntentRecord, NamesOnlyTheStudentsOwnRecordFilesBesideIt)
{
    const struct {
        const char* name;
        std::string text;
        std::string problem;
    } rows[] = {
        {"a whole path", "0 3 /home/ann/tesmoril/masterFile_Ann Lee.txt\nabc\nend\n",
         "it names /home/ann/tesmoril/masterFile_Ann Lee.txt, which is not one of your record files"},
        {"a relative path", "0 3 ../victim.txt\nabc\nend\n",
         "it names ../victim.txt, which is not one of your record files"},
        {"another student", "0 3 masterFile_Bob.txt\nabc\nend\n",
         "it names masterFile_Bob.txt, which is not one of your record files"},
        {"its own name", "0 3 .pending_Ann Lee.txt\nabc\nend\n",
         "it names .pending_Ann Lee.txt, which is not one of your record files"},
        {"a file twice", "0 1 notes_Ann Lee.txt\na\n0 1 notes_Ann Lee.txt\na\nend\n",
         "it names notes_Ann Lee.txt, which is not one of your record files"},
        {"a size no entry has", "0 1000000000000 masterFile_Ann Lee.txt\n",
         "it claims an entry of 1000000000000 bytes, more than the 1114112 bytes of the longest entry the tutor "
         "writes"},
        {"a size without digits", "0 x masterFile_Ann Lee.txt\nabc\nend\n",
         "it cannot be read as a record of an entry in progress"},
        {"bytes longer than said", "0 2 masterFile_Ann Lee.txt\nabc\nend\n",
         "it cannot be read as a record of an entry in progress"},
        {"more after the end", "end\nend\n", "it cannot be read as a record of an entry in progress"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ParsedIntent parsed = parseIntent("calctutor entry in progress, names and bytes\n" + row.text, annsFile);
        EXPECT_EQ(parsed.kind, ParsedIntent::Kind::Damaged);
        EXPECT_EQ(parsed.problem, row.problem);
    }
    EXPECT_EQ(parseIntent("calctutor entry in progress\n120 45 /a/masterFile_Ann Lee.txt\nend\n", annsFile).kind,
              ParsedIntent::Kind::Damaged)
        << "the older form names whole paths and is never applied";
    for (const char* own : {"masterFile_Ann Lee.txt", "notes_Ann Lee.txt", "send_0101Ann Lee.txt"})
        EXPECT_TRUE(annsFile(own)) << own;
    for (const char* other :
         {"send_01Ann Lee.txt", "send_0101Ann Lee.txt.part", "masterFile_Ann Lee.txt/x", "send_01x1Ann Lee.txt"})
        EXPECT_FALSE(annsFile(other)) << other;
}

TEST_F(RecordFilesTest, AnInterruptedEntryIsTakenOutOfEveryFileOnce)
{
    const std::string entry = "whole entry\r\n";
    writeFile(master, "old\r\n" + entry.substr(0, 7));
    writeFile(send, "old\r\n" + entry);
    const std::string unreached = folder.file("send_0713Ann.txt");
    writeFile(unreached, "old\r\n");
    writeFile(pending,
              formatIntent(
                  {{"masterFile_Ann.txt", 5, entry}, {"send_0712Ann.txt", 5, entry}, {"send_0713Ann.txt", 5, entry}}));

    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.failure.has_value());
    // Not one byte of the entry reached "unreached", so nothing was taken out of it.
    EXPECT_EQ(repair.notice.value_or(""),
              "The tutor was stopped while it was recording an entry (the program was closed or the computer "
              "stopped), so that unfinished entry was taken out of your record files "
                  + master + ", " + send + ". Every entry recorded before it is kept.");
#ifndef _WIN32
    const std::vector<std::string>& synced = syncFaults().synced;
    for (const std::string& cut : {master, send})
        EXPECT_NE(std::find(synced.begin(), synced.end(), cut), synced.end()) << cut << " was cut but not flushed";
#endif
    EXPECT_EQ(readFile(master), "old\r\n");
    EXPECT_EQ(readFile(send), "old\r\n");
    EXPECT_EQ(readFile(unreached), "old\r\n");
    EXPECT_EQ(readFile(pending), "");
    EXPECT_FALSE(files.repair(pending).notice.has_value()) << "told twice";
}

TEST_F(RecordFilesTest, TheNextEntryUndoesAnInterruptedOneFirst)
{
    writeFile(master, "old\r\ntorn");
    writeFile(pending, formatIntent({{"masterFile_Ann.txt", 5, "torn entry\r\n"}, {"send_0712Ann.txt", 0, "x\r\n"}}));
    RecordFiles::Opened opened = files.open(pending, {master, send});
    ASSERT_TRUE(opened.entry);
    ASSERT_FALSE(opened.entry->commit({"new\r\n", "new\r\n"}).has_value());
    EXPECT_EQ(opened.entry->repairNotice().value_or(""),
              "The tutor was stopped while it was recording an entry (the program was closed or the computer "
              "stopped), so that unfinished entry was taken out of your record file "
                  + master + ". Every entry recorded before it is kept.");
    EXPECT_EQ(readFile(master), "old\r\nnew\r\n");
    EXPECT_EQ(readFile(send), "new\r\n");
}

TEST_F(RecordFilesTest, ATornIntentRecordIsClearedWithoutCuttingAnything)
{
    EXPECT_FALSE(files.repair(pending).failure.has_value());
    EXPECT_FALSE(std::filesystem::exists(pending)) << "a first start made an intent record it did not need";
    writeFile(master, "old\r\nwhole\r\n");
    writeFile(pending, formatIntent({{"masterFile_Ann.txt", 5, "whole\r\n"}}).substr(0, 60));
    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.notice.has_value());
    EXPECT_FALSE(repair.failure.has_value());
    EXPECT_EQ(readFile(master), "old\r\nwhole\r\n");
    EXPECT_EQ(readFile(pending), "");
}

TEST_F(RecordFilesTest, AFileThatDoesNotHoldTheEntrysBeginningIsLeftAloneAndNamed)
{
    const std::string notes = folder.file("notes_Ann.txt");
    writeFile(master, "old\r\nwhole\r\n");
    writeFile(send, "old\r\nwhole\r\nand another tutor's line\r\n");
    writeFile(notes, "old\r\nWHOLE");
    std::filesystem::create_directory(folder.file("send_0713Ann.txt"));
    const std::string intent = formatIntent({{"masterFile_Ann.txt", 5, "whole\r\n"},
                                             {"send_0712Ann.txt", 5, "whole\r\n"},
                                             {"notes_Ann.txt", 5, "whole\r\n"}});
    writeFile(pending, intent);
    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.failure.has_value());
    const std::string kept = folder.file(".pending_Ann.txt.kept");
    EXPECT_EQ(repair.notice.value_or(""),
              "The tutor was stopped while it was recording an entry (the program was closed or the computer "
              "stopped), so that unfinished entry was taken out of your record file "
                  + master
                  + ". Every entry recorded before it is kept. The tutor was stopped while it was recording an entry, "
                    "and found something other than a beginning of that entry at the end of "
                  + send
                  + ", which is 38 bytes long and does not hold a beginning of that entry after its first 5 bytes; "
                  + notes
                  + ", which is 10 bytes long and does not hold a beginning of that entry after its first 5 bytes. It "
                    "changed nothing there: look at the end of that file and remove any part of the unfinished entry "
                    "by hand. The record of that entry was renamed "
                  + kept + ".");
    EXPECT_EQ(readFile(master), "old\r\n");
    EXPECT_EQ(readFile(send), "old\r\nwhole\r\nand another tutor's line\r\n");
    EXPECT_EQ(readFile(notes), "old\r\nWHOLE");
    EXPECT_EQ(readFile(kept), intent) << "the record was not kept aside whole";
    EXPECT_EQ(readFile(pending), "");
    EXPECT_FALSE(files.repair(pending).notice.has_value()) << "told twice";
}

TEST_F(RecordFilesTest, AnEntryThatCannotBeUndoneNamesWhatStandsThereAndGoesOn)
{
    std::filesystem::create_directory(master);
    writeFile(pending, formatIntent({{"masterFile_Ann.txt", 0, "entry\r\n"}}));
    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.failure.has_value());
    EXPECT_NE(repair.notice.value_or("").find("at the end of " + master
                                              + ": it is a folder, not a file. It changed "
                                                "nothing there"),
              std::string::npos)
        << repair.notice.value_or("");

    std::filesystem::remove(pending);
    std::filesystem::create_directory(pending);
    const RecordFiles::Repair second = files.repair(pending);
    EXPECT_FALSE(second.failure.has_value());
    EXPECT_EQ(second.notice.value_or(""),
              "The tutor's record of an entry in progress, " + pending
                  + ", was not used: it is a folder, not a file. It was renamed " + pending
                  + ".kept2, and nothing in your record files was changed.");
    EXPECT_TRUE(std::filesystem::is_directory(pending + ".kept2"));
}

// Another tutor of the same student is halfway through an entry: this
// tutor's entry waits for it, and never takes that entry for an interrupted one.
TEST_F(RecordFilesTest, AnEntryWaitsForAnotherTutorsEntryInProgress)
{
    const std::string whole = "the other tutor's entry\r\n";
    writeFile(master, whole.substr(0, 10));
    native::File otherIntent;
    ASSERT_FALSE(native::File::open(pending, native::File::Mode::Update, otherIntent));
    ASSERT_FALSE(otherIntent.lock());
    ASSERT_FALSE(otherIntent.overwrite(formatIntent({{"masterFile_Ann.txt", 0, whole}})));

    std::atomic<bool> written = false;
    std::thread ours([&] { written = !append({"ours\r\n", "ours too\r\n"}).has_value(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(written) << "the entry did not wait for the other tutor";
    EXPECT_EQ(readFile(master), whole.substr(0, 10)) << "the other tutor's entry in progress was cut";

    writeFile(master, whole);
    ASSERT_FALSE(otherIntent.truncate(0));
    ASSERT_FALSE(otherIntent.close());
    ours.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(readFile(master), whole + "ours\r\n");
}

TEST_F(RecordFilesTest, TwoProcessesAppendingNeverTearAnEntry)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork; the lock between two writers is tested with threads in NativeFilesTest";
#else
    constexpr int kEntries = 100;
    auto entryOf = [](char writer) {
        std::string entry;
        for (int line = 0; line < 11; ++line)
            entry += std::string(1, writer) + " line of a whole entry that spans many bytes\r\n";
        return entry;
    };
    std::vector<pid_t> children;
    for (const char writer : {'a', 'b'}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            DiskRecordFiles own;
            for (int i = 0; i < kEntries; ++i) {
                if (appendEntry(own, pending, {master, send}, {entryOf(writer), entryOf(writer)}))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string a = entryOf('a');
    const std::string b = entryOf('b');
    for (const std::string& path : {master, send}) {
        const std::string content = readFile(path);
        ASSERT_EQ(content.size(), kEntries * (a.size() + b.size()));
        int countA = 0;
        for (std::size_t at = 0; at < content.size(); at += a.size()) {
            const std::string entry = content.substr(at, a.size());
            ASSERT_TRUE(entry == a || entry == b) << "torn entry at byte " << at;
            countA += entry == a ? 1 : 0;
        }
        EXPECT_EQ(countA, kEntries);
    }
#endif
}

} // namespace
} // namespace calctutor
