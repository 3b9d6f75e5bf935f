#include "records/RecordFiles.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace calctutor {
namespace {

using namespace calctutor::testing;

TEST(RecordFiles, AppendsEachTextToItsFileAndCreatesMissingFiles)
{
    TempFolder folder;
    DiskRecordFiles files;
    const std::string master = folder.file("master.txt");
    const std::string send = folder.file("send.txt");
    {
        std::ofstream existing(master, std::ios::binary);
        existing << "before\r\n";
    }
    EXPECT_FALSE(appendEntry(files, {master, send}, {"one\r\n", "two\r\n"}).has_value());
    EXPECT_FALSE(appendEntry(files, {master, send}, {"three\r\n", "four\r\n"}).has_value());
    EXPECT_EQ(readFile(master), "before\r\none\r\nthree\r\n");
    EXPECT_EQ(readFile(send), "two\r\nfour\r\n");
}

TEST(RecordFiles, NothingIsWrittenWhenOneFileCannotBeOpened)
{
    TempFolder folder;
    DiskRecordFiles files;
    const std::string master = folder.file("master.txt");
    const auto error = appendEntry(files, {master, folder.file("gone/send.txt")}, {"one\r\n", "two\r\n"});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("gone/send.txt"), std::string::npos);
    EXPECT_NE(error->message.find("No such file or directory"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(master)); // not even created empty
}

TEST(RecordFiles, ADiskFullErrorCutsEveryFileBack)
{
    TempFolder folder;
    DiskRecordFiles files;
    const std::string master = folder.file("master.txt");
    const std::string send = folder.file("send.txt");
    std::filesystem::create_symlink("/dev/full", send);
    {
        std::ofstream existing(master, std::ios::binary);
        existing << "kept\r\n";
    }
    const auto error = appendEntry(files, {master, send}, {"lost\r\n", "lost\r\n"});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->message.find("No space left on device"), std::string::npos);
    EXPECT_NE(error->message.find("send.txt"), std::string::npos);
    EXPECT_EQ(readFile(master), "kept\r\n");
}

TEST(RecordFiles, AShortWriteCutsEveryFileBack)
{
    TempFolder folder;
    const std::string master = folder.file("master.txt");
    const std::string send = folder.file("send.txt");
    {
        std::ofstream existing(send, std::ios::binary);
        existing << std::string(100, 's');
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{120, 120}; // room for 20 more bytes in the send file
        ::setrlimit(RLIMIT_FSIZE, &limit);
        DiskRecordFiles files;
        const auto error = appendEntry(files, {master, send}, {std::string(50, 'm'), std::string(50, 'x')});
        ::_exit(error.has_value() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the short write was not reported";
    EXPECT_FALSE(std::filesystem::exists(master));
    EXPECT_EQ(readFile(send), std::string(100, 's'));
}

TEST(RecordFiles, TwoProcessesAppendingNeverTearAnEntry)
{
    TempFolder folder;
    const std::string master = folder.file("master.txt");
    constexpr int kEntries = 1000;
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
            DiskRecordFiles files;
            for (int i = 0; i < kEntries; ++i) {
                if (appendEntry(files, {master}, {entryOf(writer)}))
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
    const std::string content = readFile(master);
    const std::string a = entryOf('a');
    const std::string b = entryOf('b');
    ASSERT_EQ(content.size(), kEntries * (a.size() + b.size()));
    int countA = 0;
    for (std::size_t at = 0; at < content.size(); at += a.size()) {
        const std::string entry = content.substr(at, a.size());
        ASSERT_TRUE(entry == a || entry == b) << "torn entry at byte " << at;
        countA += entry == a ? 1 : 0;
    }
    EXPECT_EQ(countA, kEntries);
}

} // namespace
} // namespace calctutor
