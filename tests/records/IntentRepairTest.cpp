#include "records/IntentRepair.h"

#include "platform/NativeFiles.h"
#include "records/IntentRecord.h"
#include "records/RecordFiles.h"
#include "records/RecordMessages.h"
#include "records/SyncFaults.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

// Helper files turned against the record: links, crafted and moved intent
// records, records too large to be the tutor's. Each must leave every earlier
// entry as it was, never wait, and say what it found.

namespace calctutor {
namespace {

using namespace calctutor::testing;
namespace fs = std::filesystem;

// Links that this machine may not make (Windows without the right to make
// symbolic links, for one) skip their case and say why.
bool makeLink(const std::function<void()>& make, std::string& whyNot)
{
    try {
        make();
        return true;
    } catch (const fs::filesystem_error& error) {
        whyNot = error.what();
        return false;
    }
}

// How a symbolic link is named: POSIX says where it leads.
std::string aLinkTo(const std::string& target)
{
#ifdef _WIN32
    (void)target;
    return "it is a link (a reparse point),";
#else
    return "it is a link to " + target + ",";
#endif
}

struct IntentRepair : ::testing::Test {
    IntentRepair()
    {
        syncFaults() = {};
        writeFile(master, kMaster);
        writeFile(send, kSend);
        writeFile(notes, kNotes);
        writeFile(outside, kOutside);
    }
    void expectEveryFileAsBefore() const
    {
        EXPECT_EQ(readFile(master), kMaster);
        EXPECT_EQ(readFile(send), kSend);
        EXPECT_EQ(readFile(notes), kNotes);
        EXPECT_EQ(readFile(outside), kOutside);
    }
    // The start that follows records its header as usual.
    void expectTheNextEntryRecorded()
    {
        ASSERT_FALSE(appendEntry(files, pending, {master, send}, {"next\r\n", "next\r\n"}).has_value());
        EXPECT_EQ(readFile(master), kMaster + "next\r\n");
    }

    const std::string kMaster = "master entry one\r\nmaster entry two\r\n";
    const std::string kSend = "send entry\r\n";
    const std::string kNotes = "a note\r\n";
    const std::string kOutside = "a file of someone else's\r\n";
    TempFolder around;
    const std::string folder = around.file("tesmoril");
    const bool made = fs::create_directory(folder);
    const std::string master = native::joinPath(folder, "masterFile_Ann.txt");
    const std::string send = native::joinPath(folder, "send_0712Ann.txt");
    const std::string notes = native::joinPath(folder, "notes_Ann.txt");
    const std::string pending = native::joinPath(folder, ".pending_Ann.txt");
    const std::string kept = pending + ".kept";
    const std::string outside = around.file("victim.txt");
    DiskRecordFiles files;
};

// A link where the intent record goes is renamed aside, link and all: the
// master file is not read as a record, not cut, and not locked twice.
TEST_F(IntentRepair, ALinkAtTheRecordsNameIsSetAsideWithoutTouchingWhatItLeadsTo)
{
    const struct {
        const char* name;
        std::function<void(const IntentRepair&)> make;
        std::string said;
        std::string done;
    } rows[] = {
        {"symbolic link to the master file", [](const IntentRepair& t) { fs::create_symlink(t.master, t.pending); },
         aLinkTo(master), "It was renamed " + kept + ", and nothing in your record files was changed."},
        {"symbolic link to a file outside", [](const IntentRepair& t) { fs::create_symlink(t.outside, t.pending); },
         aLinkTo(outside), "It was renamed " + kept + ", and nothing in your record files was changed."},
        {"hard link to the master file", [](const IntentRepair& t) { fs::create_hard_link(t.master, t.pending); },
         "it is one of 2 names of the same file (a hard link)",
         "That name was removed; the file keeps its other names, and nothing in your record files was changed."},
        {"hard link to a file outside", [](const IntentRepair& t) { fs::create_hard_link(t.outside, t.pending); },
         "it is one of 2 names of the same file (a hard link)",
         "That name was removed; the file keeps its other names, and nothing in your record files was changed."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(pending);
        fs::remove(kept);
        std::string whyNot;
        if (!makeLink([&] { row.make(*this); }, whyNot)) {
            std::printf("[   NOTE   ] %s: this system made no such link: %s\n", row.name, whyNot.c_str());
            continue;
        }
        const RecordFiles::Repair repair = files.repair(pending);
        EXPECT_FALSE(repair.failure.has_value()) << failureSentence(repair.failure.value_or(Failure{}));
        const std::string notice = repair.notice.value_or("");
        EXPECT_TRUE(notice.starts_with("The tutor's record of an entry in progress, " + pending
                                       + ", was not used: " + row.said))
            << notice;
        EXPECT_TRUE(notice.ends_with(row.done)) << notice;
        expectEveryFileAsBefore();
        expectTheNextEntryRecorded();
        writeFile(master, kMaster);
        writeFile(send, kSend);
    }
}

// Records no tutor writes: whole paths, relative paths, sizes beyond any
// entry, files of another student, garbage. None is applied.
TEST_F(IntentRepair, ACraftedRecordIsSetAsideAndNothingIsCut)
{
    const struct {
        const char* name;
        std::string record;
        std::string said;
    } rows[] = {
        {"an older record naming the master by path",
         "calctutor entry in progress\n0 1000000000000 " + master + "\n0 1000000000000 " + send + "\n0 1000000000000 "
             + notes + "\nend\n",
         "it was written by an earlier version of the tutor, which named files by their whole paths"},
        {"a relative path", "calctutor entry in progress, names and bytes\n0 3 ../victim.txt\nabc\nend\n",
         "it names ../victim.txt, which is not one of your record files"},
        {"a path to a file outside", "calctutor entry in progress, names and bytes\n0 3 " + outside + "\nabc\nend\n",
         "it names " + outside + ", which is not one of your record files"},
        {"a size beyond any entry",
         "calctutor entry in progress, names and bytes\n0 1000000000000 masterFile_Ann.txt\nabc\nend\n",
         "it claims an entry of 1000000000000 bytes, more than the 1114112 bytes of the longest entry the tutor "
         "writes"},
        {"garbage", std::string("\0\0\0\xff binary", 11), "it cannot be read as a record of an entry in progress"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove(kept);
        writeFile(pending, row.record);
        const RecordFiles::Repair repair = files.repair(pending);
        EXPECT_FALSE(repair.failure.has_value()) << failureSentence(repair.failure.value_or(Failure{}));
        EXPECT_EQ(repair.notice.value_or(""),
                  "The tutor's record of an entry in progress, " + pending + ", was not used: " + row.said
                      + ". It was renamed " + kept + ", and nothing in your record files was changed.");
        EXPECT_EQ(readFile(kept), row.record);
        EXPECT_EQ(readFile(pending), "");
        expectEveryFileAsBefore();
    }
}

// A record whose sizes fit but whose bytes are not what the files hold: the
// files are left as they are and named.
TEST_F(IntentRepair, ARecordWhoseBytesTheFilesDoNotHoldCutsNothing)
{
    writeFile(pending, formatIntent({{"masterFile_Ann.txt", 0, kMaster}, {"send_0712Ann.txt", 4, "xxxxxxxx"}}));
    const RecordFiles::Repair repair = files.repair(pending);
    EXPECT_FALSE(repair.failure.has_value());
    const std::string notice = repair.notice.value_or("");
    EXPECT_NE(notice.find(send
                          + ", which is 12 bytes long and does not hold a beginning of that entry after its "
                            "first 4 bytes."),
              std::string::npos)
        << notice;
    // The master file holds exactly the recorded entry from byte 0: that much
    // is a beginning of the entry, so it is the one file cut.
    EXPECT_NE(notice.find("taken out of your record file " + master + "."), std::string::npos) << notice;
    EXPECT_EQ(readFile(send), kSend);
    EXPECT_TRUE(fs::exists(kept));
}

// Beyond the largest record the tutor writes, a record is set aside by its
// size alone, without reading it: a sparse 8 GB file costs nothing.
TEST_F(IntentRepair, ARecordLargerThanAnyTheTutorWritesIsNotRead)
{
    for (const std::uintmax_t size : {longestIntent() + 1, std::uintmax_t{8} << 30}) {
        SCOPED_TRACE(size);
        fs::remove(kept);
        writeFile(pending, "");
        fs::resize_file(pending, size);
        const RecordFiles::Repair repair = files.repair(pending);
        EXPECT_FALSE(repair.failure.has_value());
        EXPECT_EQ(repair.notice.value_or(""),
                  "The tutor's record of an entry in progress, " + pending + ", was not used: it is "
                      + std::to_string(size) + " bytes long, more than the " + std::to_string(longestIntent())
                      + " bytes of the largest record the tutor writes. It was renamed " + kept
                      + ", and nothing in your record files was changed.");
        EXPECT_EQ(fs::file_size(kept), size);
        expectEveryFileAsBefore();
    }
}

// The record names files by name, so a folder reached under another path
// (renamed, a stick mounted elsewhere, a synchronised copy) is still repaired.
TEST_F(IntentRepair, AFolderMovedAfterAKillIsRepairedWhereItIsNow)
{
    const std::string entry = "an entry cut short by a kill\r\n";
    writeFile(pending,
              formatIntent({{"masterFile_Ann.txt", kMaster.size(), entry}, {"send_0712Ann.txt", kSend.size(), entry}}));
    writeFile(master, kMaster + entry.substr(0, 9));
    const std::string moved = around.file("elsewhere");
    fs::rename(folder, moved);
    const RecordFiles::Repair repair = files.repair(native::joinPath(moved, ".pending_Ann.txt"));
    EXPECT_FALSE(repair.failure.has_value());
    EXPECT_NE(repair.notice.value_or("").find("taken out of your record file "
                                              + native::joinPath(moved, "masterFile_Ann.txt")),
              std::string::npos);
    EXPECT_EQ(readFile(native::joinPath(moved, "masterFile_Ann.txt")), kMaster);
    EXPECT_EQ(readFile(native::joinPath(moved, "send_0712Ann.txt")), kSend);
}

// The same through the real writer: a process is ended right after it wrote
// and flushed its intent record, before its first append; the first bytes of
// the entry then reach the master file as a kill mid-append would leave them.
TEST_F(IntentRepair, AFolderMovedAfterARealKillIsRepairedWhereItIsNow)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and a replaced fsync to stop the writer at an exact step";
#else
    const std::string entry = "an entry cut short by a kill\r\n";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        exitAtSyncOf() = ".pending_Ann.txt";
        (void)appendEntry(files, pending, {master, send}, {entry, entry});
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the writer was not stopped at its intent record";
    writeFile(master, kMaster + entry.substr(0, 9));
    const std::string moved = around.file("elsewhere");
    fs::rename(folder, moved);

    DiskRecordFiles fresh;
    const RecordFiles::Repair repair = fresh.repair(native::joinPath(moved, ".pending_Ann.txt"));
    EXPECT_FALSE(repair.failure.has_value());
    EXPECT_EQ(readFile(native::joinPath(moved, "masterFile_Ann.txt")), kMaster)
        << "master stays one entry behind the send file";
    EXPECT_EQ(readFile(native::joinPath(moved, "send_0712Ann.txt")), kSend);
#endif
}

} // namespace
} // namespace calctutor
