#include "records/QueryConversion.h"
#include "records/RecordViewers.h"

#include "core/TutorState.h"
#include "records/RecordMessages.h"

#include "TempFolder.h"
#include "TestLocale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace calctutor {
namespace {

using namespace calctutor::testing;

// What the student is told about a failure, or "" when there is none.
std::string told(const std::optional<Failure>& failure)
{
    return failure ? failureSentence(*failure) : "";
}

std::string repeated(std::string_view text, int times)
{
    std::string result;
    for (int i = 0; i < times; ++i)
        result += text;
    return result;
}

struct ViewRow {
    const char* name;
    std::string_view content;
    std::string notes;
    std::string sendFile;
};

TEST(RecordViewers, NotesJoinTheLinesAndTheSendFileBreaksBeforeEach)
{
    const ViewRow rows[] = {
        {"lines ending in CR LF", "a\r\nb\r\nc\r\n", "abc", "\r\na\r\nb\r\nc"},
        {"an empty line", "x\r\n\r\ny", "xy", "\r\nx\r\n\r\ny"},
        {"a last line without its end", "x\r\ny", "xy", "\r\nx\r\ny"},
        {"bare CR and bare LF end lines", "a\rb\nc", "abc", "\r\na\r\nb\r\nc"},
        {"LF then CR are two line ends", "a\n\rb", "ab", "\r\na\r\n\r\nb"},
        {"one empty line", "\r\n", "", "\r\n"},
        {"a CR at the very end", "a\r", "a", "\r\na"},
        {"an empty file", "", "", ""},
        {"other bytes stay as they are", "\x80\t\xE9\r\n", "\x80\t\xE9", "\r\n\x80\t\xE9"},
    };
    for (const ViewRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(viewText(row.content, Viewer::Notes), row.notes);
        EXPECT_EQ(viewText(row.content, Viewer::SendFile), row.sendFile);
    }
}

TEST(RecordViewers, SplitsOnEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines("a\rb\nc\r\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(splitLines("\r\n"), (std::vector<std::string_view>{""}));
}

struct SpecialFileRow {
    const char* name;
    std::function<void(const TempFolder& folder, const std::string& path)> make;
    std::function<std::string(const TempFolder& folder, const std::string& path)> problem;
};

// Each of these is made for real; opening a pipe or a device to read it would
// block the window or show nothing, so none of them is opened.
TEST(RecordViewers, AnythingButARegularFileIsNamedNotShown)
{
#ifdef _WIN32
    GTEST_SKIP() << "makes named pipes, links to /dev/null and symbolic links, which need POSIX files";
#else
    namespace fs = std::filesystem;
    const SpecialFileRow rows[] = {
        {"missing", [](const TempFolder&, const std::string&) {},
         [](const TempFolder&, const std::string& path) {
             return "There is nothing to show yet: the notes file " + path + " does not exist.";
         }},
        {"folder", [](const TempFolder&, const std::string& path) { fs::create_directory(path); },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " is a folder, not a file.";
         }},
        {"pipe", [](const TempFolder&, const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " is a named pipe (FIFO), not a file.";
         }},
        {"socket",
         [](const TempFolder&, const std::string& path) {
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             path.copy(address.sun_path, sizeof address.sun_path - 1);
             const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
             ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
             ::close(socket);
         },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " is a socket, not a file.";
         }},
        {"link to /dev/null", [](const TempFolder&, const std::string& path) { fs::create_symlink("/dev/null", path); },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " is a link to /dev/null, which is a device, not a file.";
         }},
        {"link to a folder",
         [](const TempFolder& folder, const std::string& path) {
             fs::create_directory(folder.file("old"));
             fs::create_symlink("old", path); // relative: the message names where it leads
         },
         [](const TempFolder& folder, const std::string& path) {
             return "The notes file " + path + " is a link to " + fs::canonical(folder.file("old")).string()
                 + ", which is a folder, not a file.";
         }},
        {"dangling link",
         [](const TempFolder& folder, const std::string& path) { fs::create_symlink(folder.file("gone.txt"), path); },
         [](const TempFolder& folder, const std::string& path) {
             return "The notes file " + path + " is a link that points nowhere: " + folder.file("gone.txt")
                 + " does not exist.";
         }},
        {"link to itself", [](const TempFolder&, const std::string& path) { fs::create_symlink(path, path); },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " cannot be read: Too many levels of symbolic links.";
         }},
        {"NUL bytes",
         [](const TempFolder&, const std::string& path) {
             std::ofstream(path, std::ios::binary) << std::string("ab\r\n\0\0cd\r\n", 8);
         },
         [](const TempFolder&, const std::string& path) {
             return "The notes file " + path + " holds NUL bytes, so it is not a text file; it is not shown.";
         }},
    };
    for (const SpecialFileRow& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const std::string path = folder.file("notes_Ann.txt");
        row.make(folder, path);
        const FileView view = readForViewer(path, "notes file", Viewer::Notes, viewLimits(Viewer::Notes));
        EXPECT_EQ(told(view.failure), row.problem(folder, path));
        EXPECT_EQ(view.content, "");
        EXPECT_EQ(view.heading, "");
        if (std::string_view(row.name) != "NUL bytes") {
            EXPECT_EQ(told(readWholeFile(path, "notes file").failure), row.problem(folder, path));
        }
    }

    TempFolder folder;
    std::ofstream(folder.file("notes_Ann.txt"), std::ios::binary) << "ok";
    fs::create_symlink(folder.file("notes_Ann.txt"), folder.file("link.txt"));
    EXPECT_EQ(readForViewer(folder.file("link.txt"), "notes file", Viewer::Notes, viewLimits(Viewer::Notes)).content,
              "ok");
    EXPECT_EQ(readWholeFile(folder.file("link.txt"), "notes file").content, "ok");
    const std::string tooLong = folder.file(std::string(300, 'n'));
    EXPECT_EQ(told(readForViewer(tooLong, "notes file", Viewer::Notes, viewLimits(Viewer::Notes)).failure),
              "The notes file " + tooLong + " cannot be read: File name too long.");
    const TestLocale french("fr_FR", LC_ALL);
    ASSERT_TRUE(french.active()) << "localedef could not build fr_FR (Debian package locales)";
    EXPECT_EQ(told(readForViewer(tooLong, "notes file", Viewer::Notes, viewLimits(Viewer::Notes)).failure),
              "The notes file " + tooLong + " cannot be read: Nom de fichier trop long.");
#endif
}

struct TailRow {
    const char* name;
    std::string content;
    std::size_t bytes;
    std::size_t lines;
    std::string shown;
    const char* total = nullptr; // the file's size as the heading gives it, when not in bytes
};

TEST(RecordViewers, OfALargeFileTheEndIsShownFromALineStart)
{
    const TailRow rows[] = {
        {"at the limit: whole", "abc\r\ndef\r\n", 10, 2, "abc\r\ndef\r\n"},
        {"from the first line start after the cut", "line1\r\nline2\r\nline3\r\n", 10, 9, "line3\r\n"},
        {"a line that starts right at the cut", "aaaa\nbbbb\n", 5, 9, "bbbb\n"},
        {"CR LF just before the cut", "aaaa\r\nbbb\r\n", 5, 9, "bbb\r\n"},
        {"CR LF across the cut", "aaaa\r\nbbb\r\n", 6, 9, "bbb\r\n"},
        {"one line longer than the limit", "abcdefghij", 4, 9, "ghij"},
        {"the last lines that fit", "a\r\nb\r\nc\r\n", 99, 2, "b\r\nc\r\n"},
        {"a last line without its end", "a\r\nb\r\nc", 99, 1, "c"},
        {"bare CR and LF count as line ends", "a\nb\rc", 99, 2, "b\rc"},
        {"empty lines count", "\r\n\r\n\r\n", 99, 2, "\r\n\r\n"},
        {"1,024 bytes are 1.0 KB", repeated("abcdefg\n", 128), 99, 2, "abcdefg\nabcdefg\n", "1.0 KB"},
        {"1,023 bytes are bytes", repeated("abcdefg\n", 127) + "abcdef\n", 99, 1, "abcdef\n"},
    };
    for (const TailRow& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const std::string path = folder.file("send_1208Ann.txt");
        std::ofstream(path, std::ios::binary) << row.content;
        const FileView view = readForViewer(path, "send file", Viewer::SendFile, {row.bytes, row.lines, 99});
        EXPECT_EQ(told(view.failure), "");
        EXPECT_EQ(view.content, row.shown);
        if (row.shown == row.content) {
            EXPECT_EQ(view.heading, "");
        } else {
            EXPECT_EQ(view.heading,
                      "The send file is too large to show whole: shown below are its last "
                          + std::to_string(row.shown.size()) + " bytes of "
                          + (row.total ? row.total : std::to_string(row.content.size()) + " bytes")
                          + ". The whole file is " + path);
        }
    }

    // The size keeps its point when the desktop's language writes a decimal comma.
    const testing::CommaLocale comma;
    TempFolder folder;
    const std::string path = folder.file("send_1208Ann.txt");
    std::ofstream(path, std::ios::binary) << repeated("abcdefg\n", 128);
    EXPECT_EQ(
        readForViewer(path, "send file", Viewer::SendFile, {99, 2, 99}).heading,
        "The send file is too large to show whole: shown below are its last 16 bytes of 1.0 KB. The whole file is "
            + path);
}

TEST(RecordViewers, OfALargeNotesFileTheLast256KilobytesAreShown)
{
    TempFolder folder;
    const std::string path = folder.file("notes_Ann.txt");
    const std::string line = std::string(31, 'x') + " " + std::string(30, 'y') + "\r\n"; // 64 bytes
    std::string content;
    for (int i = 0; i < 4800; ++i)
        content += line;
    std::ofstream(path, std::ios::binary) << content;
    const FileView view = readForViewer(path, "notes file", Viewer::Notes, viewLimits(Viewer::Notes));
    EXPECT_EQ(told(view.failure), "");
    EXPECT_EQ(view.content, content.substr(content.size() - 256 * 1024));
    EXPECT_EQ(view.heading,
              "The notes file is too large to show whole: shown below are its last 256.0 KB of 300.0 KB. "
              "The whole file is "
                  + path);
}

// The limits the student is told of: the send file shows its last 65,536
// lines and the notes any number of them; neither shows 2,001 characters in a row.
TEST(RecordViewers, EachViewerKeepsItsOwnLimits)
{
    TempFolder folder;
    const std::string path = folder.file("notes_Ann.txt");
    const std::string lines = repeated("a \n", 65537);
    std::ofstream(path, std::ios::binary) << lines;
    const FileView notes = readForViewer(path, "notes file", Viewer::Notes, viewLimits(Viewer::Notes));
    EXPECT_EQ(notes.content.size(), lines.size());
    EXPECT_EQ(notes.heading, "");
    const FileView send = readForViewer(path, "send file", Viewer::SendFile, viewLimits(Viewer::SendFile));
    EXPECT_EQ(send.content.size(), lines.size() - 3);
    EXPECT_EQ(send.heading,
              "The send file is too large to show whole: shown below are its last 192.0 KB of 192.0 KB. "
              "The whole file is "
                  + path);

    for (const Viewer viewer : {Viewer::Notes, Viewer::SendFile}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(2000, 'x');
        EXPECT_EQ(readForViewer(path, "notes file", viewer, viewLimits(viewer)).content, std::string(2000, 'x'));
        std::ofstream(path, std::ios::binary | std::ios::app) << 'x';
        EXPECT_NE(told(readForViewer(path, "notes file", viewer, viewLimits(viewer)).failure)
                      .find("more than 2000 characters"),
                  std::string::npos);
    }
}

struct RunRow {
    const char* name;
    Viewer viewer;
    std::string content;
    bool shown;
};

// Text that cannot be wrapped at a space takes the question box seconds to lay out.
TEST(RecordViewers, ALongRunWithoutASpaceIsNamedNotShown)
{
    const RunRow rows[] = {
        {"runs at the limit", Viewer::SendFile, "xxxx yyyy", true},
        {"a run past the limit", Viewer::SendFile, "xx xxxxx", false},
        {"a tab breaks a run", Viewer::SendFile, "xxxx\txxxx", true},
        {"a line end breaks a run in the send file", Viewer::SendFile, "xxx\r\nxxx", true},
        {"the notes join their lines into one run", Viewer::Notes, "xxx\r\nxxx", false},
    };
    for (const RunRow& row : rows) {
        SCOPED_TRACE(row.name);
        TempFolder folder;
        const std::string path = folder.file("notes_Ann.txt");
        std::ofstream(path, std::ios::binary) << row.content;
        const FileView view = readForViewer(path, "notes file", row.viewer, {99, 99, 4});
        EXPECT_EQ(view.content, row.shown ? row.content : "");
        EXPECT_EQ(told(view.failure),
                  row.shown ? ""
                            : "The notes file " + path
                          + " holds more than 4 characters in a row without a space or a line "
                            "end; the question box would take too long to lay them out, so "
                            "it is not shown.");
    }
}

// A sparse file: a gigabyte that takes no disk space, with text at its end.
TEST(RecordViewers, AGigabyteSendFileShowsOnlyItsEnd)
{
    TempFolder folder;
    const std::string path = folder.file("send_1208Ann.txt");
    const ViewLimits limits = viewLimits(Viewer::SendFile);
    {
        std::ofstream create(path, std::ios::binary);
    }
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
    EXPECT_NE(told(readForViewer(path, "send file", Viewer::SendFile, limits).failure).find("holds NUL bytes"),
              std::string::npos);

    // Short lines: the number of lines is reached before the size.
    std::string lines;
    for (int i = 0; lines.size() <= limits.bytes; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    std::ofstream(path, std::ios::binary | std::ios::app) << lines;
    const FileView view = readForViewer(path, "send file", Viewer::SendFile, limits);
    EXPECT_EQ(told(view.failure), "");
    EXPECT_EQ(std::count(view.content.begin(), view.content.end(), '\n'), 65536);
    EXPECT_EQ(view.content.rfind("line ", 0), 0u);
    EXPECT_EQ(lines.substr(lines.size() - view.content.size()), view.content);
    EXPECT_NE(view.heading.find(" of 1.0 GB. The whole file is " + path), std::string::npos);
}

struct QueryFolder : ::testing::Test {
    QueryFolder()
    {
        state.dataFolder = folder.path();
        state.codeNumber = 21;
    }
    void writeQuery(const std::string& content) const
    {
        std::ofstream(folder.file("query.txt"), std::ios::binary) << content;
    }
    TempFolder folder;
    TutorState state;
};

TEST_F(QueryFolder, ConvertsQueryLinesAndTakesTheCodeNumberFromTheFirstLine)
{
    writeQuery("assignment 3\r\nQuery 1 abc\r\nother text\r\nquery\r\nASSIGN x\r\nquery x\r\n");
    EXPECT_FALSE(codeFile(state).has_value());
    EXPECT_EQ(readFile(folder.file("queri.txt")),
              "assignment 3\r\nquery abc\r\nother text\r\nquery\r\nASSIGN x\r\nquery\r\n");
    EXPECT_EQ(state.codeNumber, 12);
}

TEST_F(QueryFolder, MissingEmptyOrUnreadableQueryFilesChangeNothing)
{
    const std::string query = folder.file("query.txt");
    EXPECT_EQ(told(codeFile(state)), "There is nothing to convert: the query file " + query + " does not exist.");
    writeQuery("");
    EXPECT_EQ(told(codeFile(state)), "The query file " + query + " is empty.");
#ifdef __linux__
    // A regular file that fails when read: this process's memory at address 0.
    std::filesystem::remove(query);
    std::filesystem::create_symlink("/proc/self/mem", query);
    EXPECT_EQ(told(codeFile(state)), "The query file " + query + " cannot be read: Input/output error.");
#endif
    EXPECT_EQ(state.codeNumber, 21);
    EXPECT_FALSE(std::filesystem::exists(folder.file("queri.txt")));
}

TEST_F(QueryFolder, AnOutputThatCannotBeWrittenChangesNothing)
{
    writeQuery("a line of twenty-three\r\n");
    std::filesystem::create_directory(folder.file("queri.txt"));
    const auto intoFolderFailure = codeFile(state);
    ASSERT_TRUE(intoFolderFailure.has_value());
    const std::string intoFolder = failureSentence(*intoFolderFailure);
    EXPECT_EQ(intoFolder.rfind("The converted file " + folder.file("queri.txt") + " cannot be written: ", 0), 0u)
        << intoFolder;
    EXPECT_EQ(state.codeNumber, 21);
    EXPECT_FALSE(std::filesystem::exists(folder.file("queri.txt.part")));

    std::filesystem::remove(folder.file("queri.txt"));
    std::ofstream(folder.file("queri.txt"), std::ios::binary) << "earlier\r\n";
    std::filesystem::create_directory(folder.file("queri.txt.part"));
    const auto partBlockedFailure = codeFile(state);
    ASSERT_TRUE(partBlockedFailure.has_value());
    const std::string partBlocked = failureSentence(*partBlockedFailure);
    EXPECT_NE(partBlocked.find("a folder"), std::string::npos) << partBlocked;
    EXPECT_EQ(readFile(folder.file("queri.txt")), "earlier\r\n");
    EXPECT_EQ(state.codeNumber, 21);
}

} // namespace
} // namespace calctutor
