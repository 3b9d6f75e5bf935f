#include "startup/StudentSetup.h"

#include "core/Prompts.h"
#include "core/TutorState.h"
#include "platform/NativeFiles.h"

#include "FakeServices.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

// The record files' paths use the platform's own separator, and their
// lengths its own units: UTF-16 on Windows, where an accented letter takes
// one, and UTF-8 elsewhere, where it takes two.
#ifdef _WIN32
const std::string kSeparator = "\\";
const std::string kUnits = "characters";
constexpr std::size_t kUnitsPerAccent = 1;
#else
const std::string kSeparator = "/";
const std::string kUnits = "bytes";
constexpr std::size_t kUnitsPerAccent = 2;
#endif

std::string kDefaultMissing(const std::string& folder)
{
    return "The default folder " + folder
        + " cannot be created or used: it does not exist. Please enter the folder to which your files "
          "should be written.";
}

struct StartUp : FakeServices {
    explicit StartUp(std::initializer_list<std::string> answers, float draw = 0.5f)
    {
        for (const std::string& answer : answers)
            input.add(answer);
        random.add(draw);
        services.defaultFolder = folder.file("tesmoril");
    }
    Flow run() { return setupStudent(state, services); }

    TempFolder folder;
    TutorState state;
};

TEST(StudentSetup, DefaultFolderAndNameGiveThePaths)
{
    StartUp setup({"First Middle Last", "", "5"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    const std::string folder = setup.folder.file("tesmoril");
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(setup.state.dataFolder, folder);
    EXPECT_EQ(setup.state.masterFilePath, folder + kSeparator + "masterFile_First_Middle_Last.txt");
    EXPECT_EQ(setup.state.sendFilePath, folder + kSeparator + "send_0712First_Middle_Last.txt");
    EXPECT_EQ(setup.state.notesFilePath, folder + kSeparator + "notes_First_Middle_Last.txt");
    EXPECT_EQ(setup.state.pendingFilePath, folder + kSeparator + ".pending_First_Middle_Last.txt");
    EXPECT_EQ(setup.state.draftFilePath, folder + kSeparator + ".draft_First_Middle_Last_005.txt");
    EXPECT_EQ(setup.state.assignmentNumber, "005");
    EXPECT_EQ(setup.state.nextAssignmentNumber, "006");
    // Word for word, the misspelt "makde" included.
    EXPECT_EQ(setup.state.responsePrompt,
              "Enter, as appropriate, an answer to the question, a critique of your answer in response to a given "
              "answer, your insights regarding the situation at this point, notes to yourself, or just an OK.\r\n"
              "\r\nAlways critique your solutions by describing any insights you had or errors you makde, and by "
              "explaining how you can make use of the insight or how you now know how to avoid certain errors.  "
              "Also pose for the instructor any question or questions that you have related to the problem or "
              "series of problems.");
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
    EXPECT_TRUE(empty.state.masterFilePath.ends_with(kSeparator + "masterFile_.txt"));
    EXPECT_TRUE(empty.state.sendFilePath.ends_with(kSeparator + "send_0712.txt"));
    EXPECT_TRUE(empty.state.notesFilePath.ends_with(kSeparator + "notes_.txt"));

    StartUp trailing({"Ann ", "", "1"});
    ASSERT_EQ(trailing.run(), Flow::Continue);
    EXPECT_TRUE(trailing.state.masterFilePath.ends_with(kSeparator + "masterFile_Ann_.txt"));
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
    EXPECT_EQ(setup.state.masterFilePath, chosen.path() + "/" + kSeparator + "masterFile_Ann.txt");
}

TEST(StudentSetup, AsksAgainForAFolderThatCannotBeUsed)
{
    TempFolder chosen;
    const std::string missing = chosen.file("missing");
    StartUp setup({"Ann", "1", missing, chosen.path(), "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, chosen.path());
    EXPECT_EQ(setup.messages.told,
              std::vector<std::string>{"Your files cannot be written to the folder " + missing
                                       + ": it does not exist. Please enter another folder, or just hit the Enter key "
                                         "to keep the default folder "
                                       + setup.folder.file("tesmoril") + "."});
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
    EXPECT_EQ(setup.messages.told, std::vector<std::string>{kDefaultMissing(setup.services.defaultFolder)});
    EXPECT_EQ(setup.input.prompts[2], secondFolderPrompt(setup.services.defaultFolder));
}

TEST(StudentSetup, RefusesNamesThatCannotStandInAFileName)
{
    StartUp setup({"../etc/passwd", "Ann\x1F", "Ann\x7F", "A:B*C:", "<\x01>", "Ann O'Neil", "", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    ASSERT_EQ(setup.messages.told.size(), 5u);
    EXPECT_EQ(setup.messages.told[0],
              "Your name becomes part of the names of your record files, so it cannot contain /. These characters are "
              "not allowed in a name: / \\ : * ? \" < > | and control characters. Please type your name again.");
    EXPECT_NE(setup.messages.told[1].find("contain a control character."), std::string::npos);
    EXPECT_NE(setup.messages.told[2].find("contain a control character."), std::string::npos); // DEL
    EXPECT_NE(setup.messages.told[3].find("contain : *. "), std::string::npos); // each character named once
    EXPECT_NE(setup.messages.told[4].find("contain < > and a control character. "), std::string::npos);
    EXPECT_EQ(unsafeNameCharacters("a/b\\c:d*e?f\"g<h>i|j.k-l_m n'o"), "/ \\ : * ? \" < > |");
    EXPECT_TRUE(setup.state.masterFilePath.ends_with(kSeparator + "masterFile_Ann_O'Neil.txt"));
}

TEST(StudentSetup, RefusesNamesTooLongForTheRecordFilesNames)
{
#ifdef _WIN32
    GTEST_SKIP() << "Windows takes paths of 259 characters, so a 255-character file name never fits in a "
                    "folder; RefusesAFolderWhereTheFilesPathsWouldBeTooLong covers the limit there";
#endif
    // The draft's copy ".draft_" + name + "_000.txt.part", the longest name, may have 255 units.
    const std::string longest(235, 'a');
    StartUp setup({std::string(236, 'a'), std::string(238 / kUnitsPerAccent, '\xE9'), longest, "", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    ASSERT_EQ(setup.messages.told.size(), 2u);
    EXPECT_EQ(setup.messages.told[0],
              "Your name is too long to be part of the names of your record files: the file .draft_"
                  + std::string(236, 'a') + "_000.txt.part would have 256 " + kUnits
                  + ", and a file name can have at most 255. Please type a shorter name.");
    EXPECT_NE(setup.messages.told[1].find(".part would have 258 " + kUnits + ", and"), std::string::npos)
        << setup.messages.told[1];
    EXPECT_TRUE(setup.state.masterFilePath.ends_with(kSeparator + "masterFile_" + longest + ".txt"));
}

TEST(StudentSetup, RefusesAFolderWhereTheFilesPathsWouldBeTooLong)
{
    TempFolder usable;
    std::string deep = usable.path();
#ifdef _WIN32
    // Windows takes paths of 259 characters, and folders of a little less.
    const std::string name(100, 'a');
    deep += "\\" + std::string(130, 'd');
#else
    const std::string name(200, 'a');
    while (deep.size() < 3900)
        deep += "/" + std::string(200, 'd');
#endif
    std::filesystem::create_directories(deep);
    StartUp setup({name, "1", deep, usable.path(), "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, usable.path());
    ASSERT_EQ(setup.messages.told.size(), 1u);
    // The longest of the tutor's files, the draft's copy, names the length.
    const std::string longest = ".draft_" + name + "_000.txt.part";
    EXPECT_EQ(setup.messages.told[0],
              "Your files cannot be written to the folder " + deep + ": its path is too long: the path of " + longest
                  + " in it would have " + std::to_string(native::nativeLength(native::joinPath(deep, longest))) + " "
                  + kUnits + ", and this system takes at most " + std::to_string(native::longestPath(deep))
                  + ". Please enter another folder, or just hit the Enter key to keep the default folder "
                  + setup.folder.file("tesmoril") + ".");
}

#ifndef _WIN32
// The longest file's path may have exactly as many bytes as the system takes, and no more.
TEST(StudentSetup, TakesAFolderWhoseLongestPathIsJustAtTheLimit)
{
    for (const std::size_t over : {0u, 1u}) {
        SCOPED_TRACE(over);
        TempFolder usable;
        // ".draft_Ann_000.txt.part", the draft's copy, and the separator before it.
        const std::size_t folderLength = native::longestPath(usable.path()) - 24 + over;
        std::string deep = usable.path();
        while (deep.size() + 201 < folderLength)
            deep += "/" + std::string(200, 'd');
        deep += "/" + std::string(folderLength - deep.size() - 1, 'e');
        ASSERT_EQ(deep.size(), folderLength);
        std::filesystem::create_directories(deep);
        StartUp setup({"Ann", "1", deep});
        if (over > 0)
            setup.input.add(usable.path());
        setup.input.add("1");
        ASSERT_EQ(setup.run(), Flow::Continue);
        EXPECT_EQ(setup.state.dataFolder, over == 0 ? deep : usable.path());
        EXPECT_EQ(setup.messages.told.size(), over);
    }
}
#endif

TEST(StudentSetup, EnterAfterAnUnusableDefaultAsksAgain)
{
    TempFolder chosen;
    StartUp setup({"Ann", "", "", chosen.path(), "1"});
    setup.services.defaultFolder = setup.folder.file("no/such/parent");
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.dataFolder, chosen.path());
    EXPECT_EQ(setup.messages.told, std::vector<std::string>(2, kDefaultMissing(setup.services.defaultFolder)));
}

TEST(StudentSetup, AsksAgainForAnAssignmentThatIsNotInTheCourse)
{
    StartUp setup({"Ann", "", "", "17", "0001", "1"});
    ASSERT_EQ(setup.run(), Flow::Continue);
    EXPECT_EQ(setup.state.assignmentNumber, "001");
    EXPECT_EQ(setup.state.nextAssignmentNumber, "002");
    const std::string rest = " is not in the course. The course has assignments 001 to 016. Please enter one of these "
                             "numbers, or leave the box empty to stop.";
    EXPECT_EQ(
        setup.messages.told,
        (std::vector<std::string>{"Assignment (none)" + rest, "Assignment 017" + rest, "Assignment 0001" + rest}));
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
