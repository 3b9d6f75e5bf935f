#include "core/StudentSetup.h"

#include "core/Prompts.h"
#include "core/TutorState.h"

#include "Fakes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

struct StartUp {
    explicit StartUp(std::initializer_list<std::string> answers, float draw = 0.5f)
        : input(answers), random{draw}, services{input, messages, clock, random, folder.file("tesmoril")}
    {
    }
    Flow run() { return setupStudent(state, services); }

    TempFolder folder;
    ScriptedInput input;
    RecordedMessages messages;
    FixedClock clock;
    ScriptedRandom random;
    StartupServices services;
    TutorState state;
};

TEST(StudentSetup, DefaultFolderAndNameGiveThePaths)
{
    StartUp setup({"First Middle Last", "", "5"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    const std::string folder = setup.folder.file("tesmoril");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(setup.state.dataFolder, folder);
    EXPECT_EQ(setup.state.masterFilePath, folder + "/masterFile_First_Middle_Last.txt");
    EXPECT_EQ(setup.state.sendFilePath, folder + "/send_0712First_Middle_Last.txt");
    EXPECT_EQ(setup.state.notesFilePath, folder + "/notes_First_Middle_Last.txt");
    EXPECT_EQ(setup.state.assignmentNumber, "005");
    EXPECT_EQ(setup.state.nextAssignmentNumber, "006");
    EXPECT_EQ(setup.state.responsePrompt,
              std::string(kResponseInvitation1) + "\r\n\r\n" + std::string(kResponseInvitation2));
    EXPECT_EQ(setup.state.lineIndex, 0);
    EXPECT_EQ(setup.state.scriptLines[1].substr(0, 4), "001.");
    EXPECT_TRUE(setup.messages.told.empty());
}

TEST(StudentSetup, AsksTheQuestionsInOrderWithTheirExactPrompts)
{
    StartUp setup({"Ann", "1", "", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    const std::string folder = setup.folder.file("tesmoril");
    ASSERT_EQ(setup.input.prompts.size(), 4u);
    EXPECT_EQ(setup.input.prompts[0], "Your full name:  ");
    EXPECT_EQ(setup.input.prompts[1],
              "Enter 1 if you want to change the folder to which your files will be written.  The current default "
              "folder is "
                  + folder + ".  If you wish to use this folder, just hit the Enter key");
    EXPECT_EQ(setup.input.prompts[2],
              "You have chosen to change the folder to which your files will be written on your hard drive from the "
              "default "
                  + folder
                  + ".  Enter the path to the folder you wish to use.  You may just hit the Enter "
                    "key to retain the default path.");
    EXPECT_EQ(setup.input.prompts[3], "Assignment Number:  ");
    EXPECT_EQ(setup.state.dataFolder, folder);
}

TEST(StudentSetup, EmptyNameAndTrailingSpaceAreKept)
{
    StartUp empty({"", "", "1"});
    ASSERT_EQ(empty.run(), Flow::Continue);
    EXPECT_TRUE(empty.state.masterFilePath.ends_with("/masterFile_.txt"));
    EXPECT_TRUE(empty.state.sendFilePath.ends_with("/send_0712.txt"));
    EXPECT_TRUE(empty.state.notesFilePath.ends_with("/notes_.txt"));

    StartUp trailing({"Ann ", "", "1"});
    ASSERT_EQ(trailing.run(), Flow::Continue);
    EXPECT_TRUE(trailing.state.masterFilePath.ends_with("/masterFile_Ann_.txt"));
}

TEST(StudentSetup, OnlyAnExactOneAsksForAnotherFolder)
{
    for (const char* first : {"2", " 1", "1 ", "01", ""}) {
        StartUp setup({"Ann", first, "1"});
        ASSERT_EQ(setup.run(), Flow::Continue);
        EXPECT_EQ(setup.input.prompts.size(), 3u) << first;
        EXPECT_EQ(setup.state.dataFolder, setup.folder.file("tesmoril")) << first;
    }
}

TEST(StudentSetup, UsesAChosenFolderAsTyped)
{
    TempFolder chosen;
    StartUp setup({"Ann", "1", chosen.path() + "/", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, chosen.path() + "/");
    EXPECT_EQ(setup.state.masterFilePath, chosen.path() + "//masterFile_Ann.txt");
}

TEST(StudentSetup, AsksAgainForAFolderThatCannotBeUsed)
{
    TempFolder chosen;
    const std::string missing = chosen.file("missing");
    StartUp setup({"Ann", "1", missing, chosen.path(), "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, chosen.path());
    ASSERT_EQ(setup.messages.told.size(), 1u);
    EXPECT_NE(setup.messages.told[0].find(missing), std::string::npos);
    EXPECT_NE(setup.messages.told[0].find("does not exist"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing)); // a typed folder is never created
}

TEST(StudentSetup, AskedAgainAnEmptyAnswerKeepsTheDefault)
{
    TempFolder chosen;
    StartUp setup({"Ann", "1", chosen.file("nope"), "", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, setup.folder.file("tesmoril"));
}

TEST(StudentSetup, AnUnusableDefaultFolderLeadsToTheFolderQuestion)
{
    TempFolder chosen;
    StartUp setup({"Ann", "", chosen.path(), "1"});
    setup.services.defaultFolder = setup.folder.file("no/such/parent"); // cannot be created
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, chosen.path());
    ASSERT_EQ(setup.messages.told.size(), 1u);
    EXPECT_NE(setup.messages.told[0].find(setup.services.defaultFolder), std::string::npos);
}

TEST(StudentSetup, RefusesNamesThatCannotStandInAFileName)
{
    StartUp setup({"../etc/passwd", "Ann\x1F", "Ann\x7F", "A:B*C", "Ann O'Neil", "", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    ASSERT_EQ(setup.messages.told.size(), 4u);
    EXPECT_NE(setup.messages.told[0].find("/"), std::string::npos);
    EXPECT_NE(setup.messages.told[1].find("contain a control character"), std::string::npos);
    EXPECT_NE(setup.messages.told[2].find("contain a control character"), std::string::npos); // DEL
    EXPECT_NE(setup.messages.told[3].find(": *"), std::string::npos);
    EXPECT_TRUE(setup.state.masterFilePath.ends_with("/masterFile_Ann_O'Neil.txt"));
}

TEST(StudentSetup, AsksAgainForAnAssignmentThatIsNotInTheCourse)
{
    StartUp setup({"Ann", "", "17", "0001", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.assignmentNumber, "001");
    EXPECT_EQ(setup.state.nextAssignmentNumber, "002");
    ASSERT_EQ(setup.messages.told.size(), 2u);
    EXPECT_NE(setup.messages.told[0].find("017 is not in the course"), std::string::npos);
    EXPECT_NE(setup.messages.told[0].find("001 to"), std::string::npos);
    EXPECT_NE(setup.messages.told[1].find("0001 is not in the course"), std::string::npos);
}

TEST(StudentSetup, GivingUpOnTheAssignmentEndsTheProgramWithoutWriting)
{
    StartUp setup({"Ann", "", "99", ""});
    EXPECT_EQ(setup.run(), Flow::EndProgram);
    ASSERT_EQ(setup.messages.told.size(), 1u);
    EXPECT_NE(setup.messages.told[0].find("099 is not in the course"), std::string::npos);
    // No assignment is taken, so assignment entry has no header to write.
    EXPECT_EQ(setup.input.prompts.back(), "Assignment Number:  ");
    EXPECT_EQ(setup.state.assignmentNumber, "");
    EXPECT_EQ(setup.state.nextAssignmentNumber, "");
}

TEST(StudentSetup, CodeNumberComesFromTheFirstDrawAfterSeeding)
{
    for (const auto& [draw, expected] :
         std::vector<std::pair<float, int>>{{0.0f, 19}, {0.5f, 24}, {0.9999999f, 28}, {0.1f, 20}, {0.29999998f, 21}}) {
        StartUp setup({"Ann", "", "1"}, draw);
        ASSERT_EQ(setup.run(), Flow::Continue);
        EXPECT_EQ(setup.state.codeNumber, expected) << draw;
        EXPECT_EQ(setup.random.seeds, std::vector<std::uint32_t>{45296});
    }
}

} // namespace
} // namespace calctutor
