#include "platform/NativeFiles.h"

#include "TempFolder.h"
#include "records/SyncFaults.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// The promises of NativeFiles.h, checked against whichever backend this
// system builds (POSIX calls or Win32 calls).

namespace calctutor::native {
namespace {

using namespace calctutor::testing;

std::string contents(const std::string& path)
{
    return calctutor::testing::readFile(path);
}

struct NativeFiles : ::testing::Test {
    TempFolder folder;
    const std::string path = folder.file("masterFile_Ann.txt");
};

TEST_F(NativeFiles, EachModeOpensOrCreatesAsPromised)
{
    const struct {
        const char* name;
        File::Mode mode;
        bool opensMissing;
    } rows[] = {
        {"append", File::Mode::Append, false},
        {"append or create", File::Mode::AppendOrCreate, true},
        {"update", File::Mode::Update, true},
        {"read", File::Mode::Read, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(path);
        File file;
        const std::optional<Fault> fault = File::open(path, row.mode, file);
        EXPECT_EQ(!fault.has_value(), row.opensMissing) << fault.value_or(Fault{}).reason;
        EXPECT_EQ(file.isOpen(), row.opensMissing);
        EXPECT_EQ(std::filesystem::exists(path), row.opensMissing);
        if (fault) {
            EXPECT_FALSE(fault->reason.empty());
        }
    }
}

// Another writer's bytes are never overwritten: each append lands at the end
// as the file is now, not where this writer last left it.
TEST_F(NativeFiles, AppendsLandAtTheEndAfterAnotherWritersBytes)
{
    writeFile(path, "old\r\n");
    File first;
    File second;
    ASSERT_FALSE(File::open(path, File::Mode::Append, first));
    ASSERT_FALSE(File::open(path, File::Mode::AppendOrCreate, second));
    ASSERT_FALSE(first.append("a1\r\n"));
    ASSERT_FALSE(second.append("b1\r\n"));
    ASSERT_FALSE(first.append("a2\r\n"));
    ASSERT_FALSE(first.sync());
    ASSERT_FALSE(first.close());
    ASSERT_FALSE(second.close());
    EXPECT_EQ(contents(path), "old\r\na1\r\nb1\r\na2\r\n");
}

TEST_F(NativeFiles, CutsBackAndOverwritesExactly)
{
    File file;
    ASSERT_FALSE(File::open(path, File::Mode::AppendOrCreate, file));
    ASSERT_FALSE(file.append("kept\r\nentry\r\n"));
    ASSERT_FALSE(file.truncate(6));
    std::uint64_t size = 0;
    ASSERT_FALSE(file.size(size));
    EXPECT_EQ(size, 6u);
    ASSERT_FALSE(file.append("next\r\n"));
    ASSERT_FALSE(file.close());
    EXPECT_EQ(contents(path), "kept\r\nnext\r\n");

    File update;
    ASSERT_FALSE(File::open(path, File::Mode::Update, update));
    ASSERT_FALSE(update.overwrite("short"));
    std::string content;
    ASSERT_FALSE(update.readAll(content));
    EXPECT_EQ(content, "short");
    ASSERT_FALSE(update.readAt(2, 100, content));
    EXPECT_EQ(content, "ort") << "a read past the end returns only what is there";
    ASSERT_FALSE(update.readAt(9, 4, content));
    EXPECT_EQ(content, "");
}

// The lock keeps a second writer (another File, here in another thread) out
// until the first lets go, but never keeps a reader from the file.
TEST_F(NativeFiles, TheLockMakesASecondWriterWaitButNotAReader)
{
    writeFile(path, "old\r\n");
    File first;
    ASSERT_FALSE(File::open(path, File::Mode::Append, first));
    ASSERT_FALSE(first.lock());

    std::atomic<bool> secondLocked = false;
    std::thread second([&] {
        File file;
        if (!File::open(path, File::Mode::Append, file) && !file.lock()) {
            secondLocked = true;
            (void)file.append("second\r\n");
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(secondLocked) << "the second writer got the lock while the first held it";
    std::string seen;
    EXPECT_FALSE(readFile(path, seen)) << "a reader was kept out";
    EXPECT_EQ(seen, "old\r\n");
    ASSERT_FALSE(first.append("first\r\n"));
    ASSERT_FALSE(first.close());
    second.join();
    EXPECT_TRUE(secondLocked);
    EXPECT_EQ(contents(path), "old\r\nfirst\r\nsecond\r\n");
}

// Each writer appends its entry in pieces under the lock; no entry is torn.
TEST_F(NativeFiles, LockedEntriesOfTwoWritersNeverInterleave)
{
    constexpr int kEntries = 200;
    auto write = [&](char writer) {
        for (int i = 0; i < kEntries; ++i) {
            File file;
            if (File::open(path, File::Mode::AppendOrCreate, file) || file.lock())
                return;
            for (int piece = 0; piece < 4; ++piece)
                (void)file.append(std::string(10, writer));
        }
    };
    std::thread a(write, 'a');
    std::thread b(write, 'b');
    a.join();
    b.join();
    const std::string content = contents(path);
    ASSERT_EQ(content.size(), 2u * kEntries * 40);
    for (std::size_t at = 0; at < content.size(); at += 40)
        ASSERT_EQ(content.substr(at, 40), std::string(40, content[at])) << "torn entry at byte " << at;
}

TEST_F(NativeFiles, ReplacesAFileWholeAndLeavesNothingBeside)
{
    writeFile(path, "old contents, longer than the new ones\r\n");
    writeFile(path + ".part", "left by a crash, longer than the new contents\r\n");
    syncFaults() = {};
    ASSERT_FALSE(replaceFile(path, "new\r\n"));
    EXPECT_EQ(contents(path), "new\r\n");
#ifndef _WIN32
    // Flushed before the rename, or a power cut could leave an empty file in its place.
    EXPECT_EQ(syncFaults().synced, std::vector<std::string>{path + ".part"});
#endif
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
    EXPECT_FALSE(removeFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(removeFile(path)) << "a missing file is no fault";
}

#ifndef _WIN32
// The system itself must take a path of longestPath bytes and refuse one byte more.
TEST_F(NativeFiles, TheLongestPathIsTheLongestTheSystemTakes)
{
    auto pathOf = [&](std::size_t length) {
        std::string deep = folder.path();
        while (deep.size() + 102 < length)
            deep += "/" + std::string(100, 'd');
        return deep + "/" + std::string(length - deep.size() - 1, 'e');
    };
    const std::size_t longest = longestPath(folder.path());
    struct stat info {};
    errno = 0;
    EXPECT_NE(::stat(pathOf(longest).c_str(), &info), 0);
    EXPECT_EQ(errno, ENOENT) << "a path of " << longest << " bytes was refused";
    errno = 0;
    EXPECT_NE(::stat(pathOf(longest + 1).c_str(), &info), 0);
    EXPECT_EQ(errno, ENAMETOOLONG) << "a path of " << longest + 1 << " bytes was taken";
}
#endif

#ifndef _WIN32
TEST_F(NativeFiles, MovingAnOpenFileOverAnotherReleasesTheOtherAndItsLock)
{
    const std::string other = folder.file("send_0712Ann.txt");
    File first;
    File second;
    ASSERT_FALSE(File::open(path, File::Mode::AppendOrCreate, first));
    ASSERT_FALSE(first.lock());
    ASSERT_FALSE(File::open(other, File::Mode::AppendOrCreate, second));
    first = std::move(second);
    EXPECT_FALSE(second.isOpen());
    ASSERT_FALSE(first.append("moved\r\n"));
    EXPECT_EQ(contents(other), "moved\r\n");
    const int probe = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(probe, 0);
    EXPECT_EQ(::flock(probe, LOCK_EX | LOCK_NB), 0) << "the file moved over still holds its lock";
    ::close(probe);
}

TEST_F(NativeFiles, TheHomeFolderComesFromHomeOrElseTheUserDatabase)
{
    const char* saved = std::getenv("HOME");
    const std::string kept = saved != nullptr ? saved : "";
    ::setenv("HOME", "/home/zo\xC3\xAB", 1);
    EXPECT_EQ(homeFolder(), "/home/zo\xEB") << "a Windows-1252 text, as every path here";
    ::setenv("HOME", "", 1);
    const passwd* entry = ::getpwuid(::getuid());
    EXPECT_EQ(homeFolder(), entry != nullptr ? entry->pw_dir : "");
    if (saved != nullptr)
        ::setenv("HOME", kept.c_str(), 1);
    else
        ::unsetenv("HOME");
}
#endif

TEST_F(NativeFiles, NamesWhatStandsWhereAFileShould)
{
    std::filesystem::create_directory(path);
    EXPECT_EQ(inspect(path).kind, PathKind::Folder);
    File file;
    const std::optional<Fault> fault = File::open(path, File::Mode::AppendOrCreate, file);
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->reason, "it is a folder, not a file");
    EXPECT_EQ(inspect(folder.file("missing.txt")).kind, PathKind::Missing);
}

// What the tutor writes, cuts or trusts must be that file alone: a link (or a
// second name of a file) is refused by every mode but the viewers' Read, and
// what it leads to is left as it was.
TEST_F(NativeFiles, EveryModeButReadRefusesLinksAndSharedNames)
{
    const std::string target = folder.file("elsewhere.txt");
    const struct {
        const char* name;
        void (*make)(const std::string& target, const std::string& link);
        std::string said;
    } links[] = {
        {"symbolic link", [](const std::string& to, const std::string& at) { std::filesystem::create_symlink(to, at); },
#ifdef _WIN32
         "it is a link (a reparse point), not a file"},
#else
         "it is a link to " + target + ", not a file"},
#endif
        {"hard link", [](const std::string& to, const std::string& at) { std::filesystem::create_hard_link(to, at); },
         "it is one of 2 names of the same file (a hard link), so writing here would change the file under its "
         "other names too"},
    };
    const File::Mode refusing[] = {File::Mode::Append, File::Mode::AppendOrCreate, File::Mode::Update,
                                   File::Mode::ReadOwn};
    for (const auto& link : links) {
        SCOPED_TRACE(link.name);
        std::filesystem::remove(path);
        writeFile(target, "someone else's\r\n");
        try {
            link.make(target, path);
        } catch (const std::filesystem::filesystem_error& error) {
            std::printf("[   NOTE   ] %s: this system made no such link: %s\n", link.name, error.what());
            continue;
        }
        for (const File::Mode mode : refusing) {
            File file;
            const std::optional<Fault> fault = File::open(path, mode, file);
            ASSERT_TRUE(fault.has_value()) << "mode " << static_cast<int>(mode);
            EXPECT_EQ(fault->reason, link.said);
            EXPECT_TRUE(fault->notPlainFile);
            EXPECT_FALSE(file.isOpen());
        }
        File viewer;
        EXPECT_FALSE(File::open(path, File::Mode::Read, viewer)) << "the viewers show a linked file";
        EXPECT_EQ(contents(target), "someone else's\r\n");
    }
}

TEST_F(NativeFiles, CreateNewMakesAFileOfItsOwnOrNothing)
{
    File file;
    ASSERT_FALSE(File::open(path, File::Mode::CreateNew, file));
    ASSERT_FALSE(file.append("fresh"));
    ASSERT_FALSE(file.close());
    EXPECT_EQ(contents(path), "fresh");
    const std::optional<Fault> again = File::open(path, File::Mode::CreateNew, file);
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->reason, "something is already there");
    EXPECT_EQ(contents(path), "fresh");
}

// The draft's copy beside it may be a link left in its place: it is removed,
// never written through.
TEST_F(NativeFiles, ReplacingNeverWritesThroughALinkAtTheCopysName)
{
    const std::string& master = path;
    for (const bool hard : {false, true}) {
        SCOPED_TRACE(hard ? "hard link" : "symbolic link");
        writeFile(master, "every entry\r\n");
        const std::string draft = folder.file(".draft_Ann_001.txt");
        std::filesystem::remove(draft + ".part");
        try {
            if (hard)
                std::filesystem::create_hard_link(master, draft + ".part");
            else
                std::filesystem::create_symlink(master, draft + ".part");
        } catch (const std::filesystem::filesystem_error& error) {
            std::printf("[   NOTE   ] this system made no such link: %s\n", error.what());
            continue;
        }
        ASSERT_FALSE(replaceFile(draft, "21 bytes of an answer"));
        EXPECT_EQ(contents(master), "every entry\r\n");
        EXPECT_EQ(contents(draft), "21 bytes of an answer");
        EXPECT_FALSE(std::filesystem::exists(draft + ".part"));
    }
}

TEST_F(NativeFiles, KnowsWhetherAPathStillNamesAnOpenFile)
{
    File file;
    ASSERT_FALSE(File::open(path, File::Mode::Update, file));
    EXPECT_TRUE(file.isAt(path));
    ASSERT_FALSE(renamePath(path, path + ".kept"));
    EXPECT_FALSE(file.isAt(path));
#ifndef _WIN32
    // Wine reports a volume serial of 0 for an open file once it is renamed,
    // so there the file is never found again under its new name; a tutor
    // then just opens the record anew.
    EXPECT_TRUE(file.isAt(path + ".kept"));
#endif
    writeFile(path, "another");
    EXPECT_FALSE(file.isAt(path));
}

#ifndef _WIN32
// A new folder's name must outlast a power cut, with the entries in it.
TEST_F(NativeFiles, CreatingAFolderFlushesItsParent)
{
    syncFaults() = {};
    tryCreateFolder(folder.file("tesmoril"));
    EXPECT_EQ(syncFaults().synced, std::vector<std::string>{folder.path()});
    syncFaults() = {};
    tryCreateFolder(folder.file("tesmoril"));
    EXPECT_TRUE(syncFaults().synced.empty()) << "a folder that was there already needs no flush";
}
#endif

// Under a file size limit the write past it fails with a reason, instead of
// the signal ending the program without a word.
TEST_F(NativeFiles, AWritePastAFileSizeLimitFailsInsteadOfEndingTheProgram)
{
#ifdef _WIN32
    GTEST_SKIP() << "needs fork and a file size limit (RLIMIT_FSIZE), which Windows does not have";
#else
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ignoreFileSizeSignal();
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        File file;
        const bool opened = !File::open(path, File::Mode::AppendOrCreate, file);
        const std::optional<Fault> fault = file.append(std::string(200, 'x'));
        ::_exit(opened && fault && fault->reason == "File too large" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

TEST_F(NativeFiles, TellsWhyAFolderCannotTakeFiles)
{
    writeFile(path, "");
    EXPECT_FALSE(folderProblem(folder.path()).has_value());
    EXPECT_EQ(folderProblem(folder.file("missing")).value_or(""), "it does not exist");
    EXPECT_EQ(folderProblem(path).value_or(""), "it is not a folder");
    tryCreateFolder(folder.file("made"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("made")));
    EXPECT_TRUE(std::filesystem::is_empty(folder.file("made"))) << "the writability check left a file behind";
}

TEST_F(NativeFiles, PathsUseThePlatformsSeparatorAndUnits)
{
#ifdef _WIN32
    EXPECT_EQ(joinPath("c:\\tesmoril", "notes_Ann.txt"), "c:\\tesmoril\\notes_Ann.txt");
    EXPECT_EQ(nativeLength("Zo\xEB"), 3u); // UTF-16 code units
    EXPECT_EQ(longestPath(folder.path()), 259u);
#else
    EXPECT_EQ(joinPath("/home/ann/tesmoril", "notes_Ann.txt"), "/home/ann/tesmoril/notes_Ann.txt");
    EXPECT_EQ(nativeLength("Zo\xEB"), 4u); // UTF-8 bytes
#endif
    EXPECT_GE(longestName(folder.path()), 255u);
}

#ifdef _WIN32
// Windows opens a device for "CON" or "nul.txt" in any folder and drops a
// final dot or space, so such names would not be the file the student named.
TEST_F(NativeFiles, RefusesNamesWindowsWouldNotKeep)
{
    const struct {
        const char* name;
        const char* said;
    } rows[] = {
        {"CON", "reserved by Windows"},
        {"nul.txt", "reserved by Windows"},
        {"COM3", "reserved by Windows"},
        {"send.txt.", "ends in a dot or a space"},
        {"send.txt ", "ends in a dot or a space"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        File file;
        const std::optional<Fault> fault = File::open(folder.file(row.name), File::Mode::AppendOrCreate, file);
        ASSERT_TRUE(fault.has_value());
        EXPECT_NE(fault->reason.find(row.said), std::string::npos) << fault->reason;
        EXPECT_TRUE(folderProblem(folder.file(row.name)).has_value());
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder.path())) << "a refused name was created";
    File device;
    EXPECT_TRUE(File::open("\\\\.\\COM1", File::Mode::Append, device).has_value());
}

TEST_F(NativeFiles, AFaultCarriesTheSystemsOwnWords)
{
    File file;
    const std::optional<Fault> fault = File::open(folder.file("missing.txt"), File::Mode::Read, file);
    ASSERT_TRUE(fault.has_value());
    EXPECT_FALSE(fault->reason.empty());
    EXPECT_EQ(fault->reason.find("Windows error"), std::string::npos) << fault->reason;
    EXPECT_NE(fault->reason.back(), '\n');
    EXPECT_NE(fault->reason.back(), '.');
}
#endif

} // namespace
} // namespace calctutor::native
