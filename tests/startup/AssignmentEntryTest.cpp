#include "startup/AssignmentEntry.h"

#include "core/TutorState.h"
#include "records/IntentRecord.h"
#include "records/RecordFiles.h"

#include "FakeServices.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

struct Entry : FakeServices {
    Entry()
    {
        state.scriptLines[1] = "001.  First";
        state.scriptLines[3] = "`q001.  Q";
        state.scriptLines[7] = "005.  ";
        state.scriptLines[9] = "`q001.  Q";
        state.scriptLines[20] = "005.  a later copy";
        state.scriptLines[30] = "017.  ";
        state.assignmentNumber = "005";
        state.codeNumber = 2;
        state.masterFilePath = folder.file("masterFile_Ann.txt");
        state.sendFilePath = folder.file("send_0712Ann.txt");
        state.pendingFilePath = folder.file(".pending_Ann.txt");
    }
    Flow run() { return enterAssignment(state, services); }

    TempFolder folder;
    TutorState state;
};

TEST(AssignmentEntry, FindsTheFirstHeaderAndWritesTheStartHeaderToBothFiles)
{
    Entry entry;
    entry.random.add({0.5f, 0.0f, 0.05f, 0.5f, 0.99f});
    ASSERT_EQ(entry.run(), Flow::Continue);
    EXPECT_EQ(entry.state.lineIndex, 7);
    const std::string expected = std::string("\x76\x5B\xFE")
        + "\r\n"
          "assignment #005\r\n"
          "005.  \r\n"
          "\r\n"
          "07-12-2026\r\n";
    EXPECT_EQ(readFile(entry.state.masterFilePath), expected);
    EXPECT_EQ(readFile(entry.state.sendFilePath), expected);
    EXPECT_TRUE(entry.messages.told.empty());
}

TEST(AssignmentEntry, EachStartAppendsAnotherHeaderWithANewCodeLine)
{
    Entry entry;
    entry.random.add({0.5f, 0.1f, 0.5f, 0.9f});
    ASSERT_EQ(entry.run(), Flow::Continue);
    entry.state.lineIndex = 0;
    entry.random.add({0.5f, 0.2f, 0.5f, 0.3f});
    ASSERT_EQ(entry.run(), Flow::Continue);
    const std::string master = readFile(entry.state.masterFilePath);
    EXPECT_EQ(master, readFile(entry.state.sendFilePath));
    EXPECT_EQ(master.substr(0, 4), "\x84\xF1\r\n");
    EXPECT_NE(master.find("\r\n07-12-2026\r\n\x91\x9F\r\nassignment #005"), std::string::npos);
}

TEST(AssignmentEntry, AFourCharacterHeaderMatchesWhole)
{
    Entry entry;
    entry.state.scriptLines[7] = "005.";
    entry.random.add({0.5f, 0.5f, 0.5f, 0.5f});
    ASSERT_EQ(entry.run(), Flow::Continue);
    EXPECT_NE(readFile(entry.state.sendFilePath).find("\r\n005.\r\n\r\n"), std::string::npos);
}

TEST(AssignmentEntry, SearchStaysInsideTheScript)
{
    TutorState state;
    state.scriptLines[0] = "005.  never looked at";
    state.scriptLines[kLastScriptIndex] = "005.  last";
    EXPECT_EQ(findAssignmentHeader(state.scriptLines, "005"), kLastScriptIndex);
    EXPECT_EQ(findAssignmentHeader(state.scriptLines, "006"), std::nullopt);
    EXPECT_EQ(findAssignmentHeader(state.scriptLines, ""), std::nullopt);
    EXPECT_EQ(findAssignmentHeader(state.scriptLines, "0005"), std::nullopt);
}

TEST(AssignmentEntry, TheClosingHeaderHasNoContent)
{
    Entry entry;
    EXPECT_TRUE(assignmentHasContent(entry.state.scriptLines, 1));
    EXPECT_FALSE(assignmentHasContent(entry.state.scriptLines, 30));
    EXPECT_EQ(availableAssignments(entry.state.scriptLines), "001 to 005");
    entry.state.scriptLines[3].clear(); // 001 has no stop left
    EXPECT_EQ(availableAssignments(entry.state.scriptLines), "005");
    entry.state.scriptLines[9].clear();
    EXPECT_EQ(availableAssignments(entry.state.scriptLines), "none");
    // Nor has an assignment that the end marker closes before any stop.
    entry.state.scriptLines[32] = "####.#";
    entry.state.scriptLines[33] = "`q001.  after the end";
    EXPECT_FALSE(assignmentHasContent(entry.state.scriptLines, 30));
}

TEST(AssignmentEntry, AnAssignmentNotInTheScriptEndsTheProgramWithAMessageAndWritesNothing)
{
    Entry entry;
    entry.state.assignmentNumber = "009";
    EXPECT_EQ(entry.run(), Flow::EndProgram);
    EXPECT_EQ(entry.messages.told,
              std::vector<std::string>{"Assignment 009 is not in the course, so the tutor cannot "
                                       "go on. Start it again and choose another assignment."});
    EXPECT_FALSE(std::filesystem::exists(entry.state.masterFilePath));
}

TEST(AssignmentEntry, AFileThatCannotBeOpenedEndsTheProgramWithAMessageAndWritesNothing)
{
    Entry entry;
    entry.state.sendFilePath = entry.folder.file("missing/send_0712Ann.txt");
    entry.random.add({0.5f, 0.5f, 0.5f, 0.5f});
    EXPECT_EQ(entry.run(), Flow::EndProgram);
    ASSERT_EQ(entry.messages.told.size(), 1u);
    EXPECT_EQ(entry.messages.told[0],
              "The start of your work cannot be recorded, so the tutor cannot go on. The record file "
                  + entry.state.sendFilePath + " cannot be created in the folder " + entry.folder.file("missing")
                  + ": it does not exist. Check the folder you chose for your files, then start the tutor again.");
    EXPECT_FALSE(std::filesystem::exists(entry.state.masterFilePath));
}

// Something other than a file at the intent record's name is renamed aside,
// never used, and the start goes on with a fresh record.
TEST(AssignmentEntry, SomethingElseWhereTheIntentRecordGoesIsSetAsideAndTheStartGoesOn)
{
    Entry entry;
    std::filesystem::create_directory(entry.state.pendingFilePath);
    entry.random.add({0.5f, 0.5f, 0.5f, 0.5f});
    EXPECT_EQ(entry.run(), Flow::Continue);
    ASSERT_EQ(entry.messages.told.size(), 1u);
    EXPECT_EQ(entry.messages.told[0],
              "The tutor's record of an entry in progress, " + entry.state.pendingFilePath
                  + ", was not used: it is a folder, not a file. It was renamed " + entry.state.pendingFilePath
                  + ".kept, and nothing in your record files was changed.");
    EXPECT_TRUE(std::filesystem::is_directory(entry.state.pendingFilePath + ".kept"));
    EXPECT_NE(readFile(entry.state.masterFilePath).find("assignment #005"), std::string::npos);
}

TEST(AssignmentEntry, AnEntryCutShortBeforeThisStartIsUndoneAndTheStudentToldOnce)
{
    Entry entry;
    std::ofstream(entry.state.masterFilePath, std::ios::binary) << "old\r\nhalf an entr";
    std::ofstream(entry.state.pendingFilePath, std::ios::binary)
        << formatIntent({{"masterFile_Ann.txt", 5, "half an entry\r\n"}});
    entry.random.add({0.5f, 0.5f, 0.5f, 0.5f});
    ASSERT_EQ(entry.run(), Flow::Continue);
    ASSERT_EQ(entry.messages.told.size(), 1u);
    EXPECT_NE(
        entry.messages.told[0].find("unfinished entry was taken out of your record file " + entry.state.masterFilePath),
        std::string::npos)
        << entry.messages.told[0];
    EXPECT_TRUE(readFile(entry.state.masterFilePath).starts_with("old\r\n")
                && readFile(entry.state.masterFilePath).find("half") == std::string::npos);
    EXPECT_NE(readFile(entry.state.masterFilePath).find("assignment #005"), std::string::npos);
}

} // namespace
} // namespace calctutor
