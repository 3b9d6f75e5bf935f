#include "records/QueryConversion.h"
#include "records/RecordViewers.h"

#include "core/TutorState.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

TEST(RecordViewers, NotesAreJoinedWithNothingBetweenTheLines)
{
    EXPECT_EQ(notesViewText("a\r\nb\r\nc\r\n"), "abc");
    EXPECT_EQ(notesViewText("a\r\n\r\nb"), "ab");
    EXPECT_EQ(notesViewText(""), "");
}

TEST(RecordViewers, TheSendFileGetsALineBreakBeforeEveryLine)
{
    EXPECT_EQ(sendFileViewText("x\r\ny\r\n"), "\r\nx\r\ny");
    EXPECT_EQ(sendFileViewText("x\r\n\r\ny"), "\r\nx\r\n\r\ny");
    EXPECT_EQ(sendFileViewText(""), "");
}

TEST(RecordViewers, SplitsOnEveryKindOfLineEnd)
{
    EXPECT_EQ(splitLines("a\rb\nc\r\nd"), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string_view>{"a"}));
    EXPECT_EQ(splitLines("\r\n"), (std::vector<std::string_view>{""}));
}

TEST(RecordViewers, AMissingFileIsReportedNotShown)
{
    TempFolder folder;
    const FileRead read = readWholeFile(folder.file("notes_Ann.txt"), "notes file");
    EXPECT_FALSE(read.content.has_value());
    EXPECT_NE(read.problem.find("notes_Ann.txt does not exist"), std::string::npos);
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

TEST_F(QueryFolder, MissingOrEmptyQueryFilesChangeNothing)
{
    EXPECT_TRUE(codeFile(state).has_value());
    writeQuery("");
    const auto error = codeFile(state);
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("empty"), std::string::npos);
    EXPECT_EQ(state.codeNumber, 21);
    EXPECT_FALSE(std::filesystem::exists(folder.file("queri.txt")));
}

TEST_F(QueryFolder, AnOutputThatCannotBeWrittenChangesNothing)
{
    writeQuery("a line of twenty-three\r\n");
    std::filesystem::create_directory(folder.file("queri.txt"));
    const auto intoFolder = codeFile(state);
    ASSERT_TRUE(intoFolder.has_value());
    EXPECT_NE(intoFolder->find(folder.file("queri.txt") + " cannot be written"), std::string::npos) << *intoFolder;
    EXPECT_EQ(state.codeNumber, 21);
    EXPECT_FALSE(std::filesystem::exists(folder.file("queri.txt.part")));

    std::filesystem::remove(folder.file("queri.txt"));
    std::ofstream(folder.file("queri.txt"), std::ios::binary) << "earlier\r\n";
    std::filesystem::create_directory(folder.file("queri.txt.part"));
    const auto partBlocked = codeFile(state);
    ASSERT_TRUE(partBlocked.has_value());
    EXPECT_NE(partBlocked->find("a folder"), std::string::npos) << *partBlocked;
    EXPECT_EQ(readFile(folder.file("queri.txt")), "earlier\r\n");
    EXPECT_EQ(state.codeNumber, 21);
}

} // namespace
} // namespace calctutor
