#include "startup/TutorStart.h"

#include "core/TutorState.h"

#include "FakeServices.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

struct Start : FakeServices {
    explicit Start(std::initializer_list<std::string> answers)
    {
        for (const std::string& answer : answers)
            input.add(answer);
        for (int draw = 0; draw < 60; ++draw)
            random.add(0.5f);
        random.spareDrawsAllowed = true;
        services.defaultFolder = folder.file("tesmoril");
    }

    TempFolder folder;
    TutorState state;
};

TEST(TutorStart, SetsUpTheStudentThenEntersTheAssignment)
{
    Start start({"Ann", "", "1"});
    ASSERT_EQ(startTutor(start.state, start.services), Flow::Continue);
    EXPECT_TRUE(
        std::filesystem::equivalent(start.state.masterFilePath, start.folder.file("tesmoril/masterFile_Ann.txt")));
    EXPECT_EQ(start.state.scriptLines[static_cast<std::size_t>(start.state.lineIndex)].substr(0, 4), "001.");
    const std::string master = readFile(start.state.masterFilePath);
    EXPECT_NE(master.find("assignment #001\r\n"), std::string::npos);
    EXPECT_EQ(master, readFile(start.state.sendFilePath));
    EXPECT_TRUE(start.messages.told.empty());
}

TEST(TutorStart, GivingUpOnTheAssignmentEndsBeforeAnythingIsWritten)
{
    Start start({"Ann", "", "99", ""});
    EXPECT_EQ(startTutor(start.state, start.services), Flow::EndProgram);
    EXPECT_FALSE(std::filesystem::exists(start.state.masterFilePath));
    EXPECT_FALSE(std::filesystem::exists(start.state.sendFilePath));
    // Only start-up spoke: asking for 99 again. Entry was never tried.
    EXPECT_EQ(start.messages.told.size(), 1u);
}

} // namespace
} // namespace calctutor
