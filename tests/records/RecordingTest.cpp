#include "records/Recording.h"

#include "core/Prompts.h"
#include "core/TutorState.h"
#include "records/AnswerDraft.h"
#include "records/EntryLimits.h"
#include "records/IntentRecord.h"
#include "records/RecordEntries.h"
#include "records/RecordFiles.h"
#include "records/RecordMessages.h"
#include "records/SyncFaults.h"
#include "startup/StudentSetup.h"

#include "FakeServices.h"
#include "TempFolder.h"
#include "TestLocale.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <filesystem>

namespace calctutor {
namespace {

using namespace calctutor::testing;

const std::string kOpening = "......!!!!!!!!...................................\r\n";
const std::string kClosing = ".................................................\r\n";
const std::string kTime = "                                    12:34:56\r\n";
const std::string kKeptInTheBox =
    " Your text is still in the answer box: fix the folder or free some space, then press the button again.";
// Freeing space does not help when the folder is missing or something other than a file has the name.
const std::string kFixTheFolder = " Your text is still in the answer box: fix the folder, then press the button again.";
const std::string kClearTheName = " Your text is still in the answer box: move or rename what stands in the file's "
                                  "place, then press the button again.";

struct Recording : ::testing::Test, FakeServices {
    Recording()
    {
        state.masterFilePath = folder.file("masterFile_Ann.txt");
        state.sendFilePath = folder.file("send_0712Ann.txt");
        state.notesFilePath = folder.file("notes_Ann.txt");
        state.pendingFilePath = folder.file(".pending_Ann.txt");
        state.draftFilePath = folder.file(".draft_Ann_005.txt");
        syncFaults() = {};
        state.dataFolder = folder.path();
        state.responsePrompt = responsePromptText();
        state.assignmentNumber = "005";
        state.questionNumber = "2";
        state.lastLine = "`q002.  What is the rate?";
        state.lineKind = "question";
        state.awaitingResponse = true;
        state.codeNumber = 23;
    }
    Recorded respond(const std::string& text) { return enterResponse(state, text, services); }
    std::string master() const { return readFile(state.masterFilePath); }
    std::string send() const { return readFile(state.sendFilePath); }

    TempFolder folder;
    TutorState state;
};

TEST_F(Recording, AResponseToAQuestionCarriesTheConfidence)
{
    input.add("2");
    clock.ticks = {"12:34:56", "12:34:57"}; // each file's time line reads the clock
    ASSERT_EQ(respond("-1.4 cm/s"), Recorded::Entry);
    const std::string body = "`q002.  What is the rate?\r\n" + kOpening
        + "RESPONSE -->  \r\n-1.4 cm/s\r\n"
          "confidence assessment:  2\r\n"
        + kClosing;
    EXPECT_EQ(master(), kOpening + kTime + "\r\n\r\n`questionNumber 50002 \r\n" + body);
    EXPECT_EQ(send(), kOpening + "                                    12:34:57\r\n" + body);
    EXPECT_EQ(input.prompts, std::vector<std::string>{std::string(kConfidencePrompt)});
    EXPECT_FALSE(state.awaitingResponse);
    EXPECT_EQ(state.entryText, "-1.4 cm/s");
}

TEST_F(Recording, ACritiqueOfAnAnswerCarriesTheSelfCritiqueRating)
{
    state.lineKind = "answer";
    state.lastLine = "The rate is -1.4 cm/s.";
    input.add("3");
    ASSERT_EQ(respond("I forgot the sign."), Recorded::Entry);
    EXPECT_NE(send().find("RESPONSE -->  \r\nI forgot the sign.\r\nself critique assessment: 3\r\n" + kClosing),
              std::string::npos);
    EXPECT_EQ(input.prompts, std::vector<std::string>{std::string(kSelfCritiquePrompt)});
    EXPECT_EQ(state.selfCritiqueRating, "3");
}

TEST_F(Recording, BeforeTheFirstStopNoRatingIsAsked)
{
    state.lineKind.clear();
    state.lastLine.clear();
    state.questionNumber.clear();
    ASSERT_EQ(respond("hello"), Recorded::Entry);
    EXPECT_EQ(master(),
              kOpening + kTime + "\r\n\r\n`questionNumber 50000 \r\n\r\n" + kOpening + "RESPONSE -->  \r\nhello\r\n"
                  + kClosing);
    EXPECT_TRUE(input.prompts.empty());
}

TEST_F(Recording, ResponseLinesAndEmptyOrCancelledTextsAreWrittenAsTheyAre)
{
    input.add("");
    ASSERT_EQ(respond("one\r\ntwo\r\nthree"), Recorded::Entry);
    EXPECT_NE(send().find("RESPONSE -->  \r\none\r\ntwo\r\nthree\r\nconfidence assessment:  \r\n" + kClosing),
              std::string::npos);
    input.add("7");
    ASSERT_EQ(respond(""), Recorded::Entry);
    EXPECT_NE(send().find("RESPONSE -->  \r\n\r\nconfidence assessment:  7\r\n"), std::string::npos);
}

TEST_F(Recording, TheUntouchedInvitationIsNotRecorded)
{
    EXPECT_EQ(respond(state.responsePrompt), Recorded::Invitation);
    EXPECT_EQ(saveNote(state, state.responsePrompt, services), Recorded::Invitation);
    EXPECT_FALSE(std::filesystem::exists(state.masterFilePath));
    EXPECT_TRUE(state.awaitingResponse);

    input.add("1");
    ASSERT_EQ(respond(state.responsePrompt + "x"), Recorded::Entry);
    EXPECT_NE(send().find(state.responsePrompt + "x\r\n"), std::string::npos);
}

TEST_F(Recording, ANoteGoesToAllThreeFilesWithItsDateLine)
{
    clock.today = "12-07-2026";
    clock.ticks = {"10:00:01", "10:00:02", "10:00:03", "10:00:04", "10:00:05", "10:00:06"};
    ASSERT_EQ(saveNote(state, "ok", services), Recorded::Entry);
    auto entry = [](const std::string& time, const std::string& dateLineTime) {
        return kOpening + "                                    " + time + "\r\n"
            + "                                    12-07-2026" + dateLineTime + "\r\n" + "`q002.  What is the rate?\r\n"
            + kOpening + "NOTES -------> ok\r\n" + kClosing;
    };
    EXPECT_EQ(master(), entry("10:00:01", "10:00:02"));
    EXPECT_EQ(send(), entry("10:00:03", "10:00:04"));
    EXPECT_EQ(readFile(state.notesFilePath), entry("10:00:05", "10:00:06"));
    EXPECT_FALSE(state.awaitingResponse);
    EXPECT_EQ(state.entryText, "NOTES -------> ok");
    EXPECT_TRUE(input.prompts.empty());
}

TEST_F(Recording, AMissingFolderLosesNothingAndTheNextPressWorks)
{
    input.add("2");
    ASSERT_EQ(respond("first"), Recorded::Entry);
    std::filesystem::remove_all(folder.path());
    state.awaitingResponse = true;
    EXPECT_EQ(respond("second"), Recorded::Failed);
    EXPECT_TRUE(input.prompts.size() == 1); // no rating box for an entry that cannot be written
    EXPECT_EQ(messages.told,
              std::vector<std::string>{"Your response was not recorded. The record file " + state.masterFilePath
                                       + " cannot be created in the folder " + folder.path() + ": it does not exist."
                                       + kFixTheFolder});
    EXPECT_TRUE(state.awaitingResponse);
    EXPECT_FALSE(std::filesystem::exists(folder.path()));

    std::filesystem::create_directory(folder.path());
    input.add("3");
    EXPECT_EQ(respond("second"), Recorded::Entry);
    EXPECT_NE(master().find("second"), std::string::npos);
}

TEST_F(Recording, AFailedCommitChangesNothingButTellsWhy)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    input.add("2");
    ASSERT_EQ(respond("first"), Recorded::Entry);
    const std::string before = master();
    ASSERT_FALSE(keepDraft(state, "second", "second").has_value());
    state.awaitingResponse = true;
    syncFaults() = {{}, "send_0712Ann.txt", EIO};
    input.add("2");
    EXPECT_EQ(respond("second"), Recorded::Failed);
    EXPECT_EQ(master(), before);
    EXPECT_TRUE(state.awaitingResponse);
    EXPECT_EQ(findDraft(state.draftFilePath).text, "second") << "the draft went with a failed entry";
    EXPECT_EQ(messages.told,
              std::vector<std::string>{"Your response was not recorded. The record file cannot be "
                                       "saved to disk: "
                                       + state.sendFilePath + ": Input/output error." + kKeptInTheBox});

    input.add("2");
    ASSERT_EQ(respond("second"), Recorded::Entry);
    EXPECT_FALSE(findDraft(state.draftFilePath).text.has_value()) << "a recorded answer left its draft";
}

// The system's reason reaches the student in the desktop's own language,
// converted once: "Gerät", never "GerÃ¤t".
TEST_F(Recording, AReasonInTheDesktopsLanguageIsSpelledRight)
{
    SKIP_WITHOUT_SYNC_FAULTS();
    struct Row {
        const char* language;
        int error;
        std::string reason;
    };
    for (const Row& row : {Row{"de_DE", ENOSPC, "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
                           Row{"fr_FR", EIO, "Erreur d'entrée/sortie"}}) {
        const TestLocale desktop(row.language, LC_ALL);
        ASSERT_TRUE(desktop.active()) << "localedef could not build " << row.language << " (Debian package locales)";
        messages.told.clear();
        syncFaults() = {{}, "send_0712Ann.txt", row.error};
        input.add("2");
        EXPECT_EQ(respond("answer"), Recorded::Failed);
        EXPECT_EQ(messages.told,
                  std::vector<std::string>{"Your response was not recorded. The record file cannot "
                                           "be saved to disk: "
                                           + state.sendFilePath + ": " + row.reason + "." + kKeptInTheBox})
            << row.language;
    }
}

TEST_F(Recording, ABlankBoxOrTheUntouchedInvitationLeavesNoDraft)
{
    for (const std::string& nothingTyped : {std::string(" \t\r\n"), state.responsePrompt}) {
        ASSERT_FALSE(keepDraft(state, "typed", "typed").has_value());
        ASSERT_EQ(findDraft(state.draftFilePath).text, "typed");
        EXPECT_FALSE(keepDraft(state, nothingTyped, nothingTyped).has_value());
        EXPECT_FALSE(findDraft(state.draftFilePath).text.has_value())
            << "a draft of \"" << nothingTyped << "\" was kept";
    }
    std::ofstream(state.draftFilePath, std::ios::binary).flush();
    EXPECT_FALSE(findDraft(state.draftFilePath).text.has_value()) << "an empty draft was offered";
}

TEST_F(Recording, ADraftThatCannotBeKeptSaysWhereAndLeavesNothingBeside)
{
    std::filesystem::create_directory(state.draftFilePath);
    const std::optional<Failure> failure = keepDraft(state, "typed", "typed");
    const std::string said = failure ? draftNotKeptMessage(*failure) : "";
    EXPECT_TRUE(said.starts_with("The answer you are typing cannot be kept safe in " + state.draftFilePath + ": "))
        << said;
    EXPECT_TRUE(said.ends_with(". It is still in the answer box; record it or save it as a note soon.")) << said;
    EXPECT_FALSE(std::filesystem::exists(state.draftFilePath + ".part"));

    state.draftFilePath.clear(); // no student yet: nothing to keep, and nowhere
    EXPECT_FALSE(keepDraft(state, "typed", "typed").has_value());
}

TEST_F(Recording, AnEntryCutShortEarlierIsTakenOutBeforeTheNextAndTheStudentTold)
{
    std::ofstream(state.masterFilePath, std::ios::binary) << "old\r\nhalf an ent";
    std::ofstream(state.pendingFilePath, std::ios::binary)
        << formatIntent({{"masterFile_Ann.txt", 5, "half an entry\r\n"}, {"send_0712Ann.txt", 0, "half an entry\r\n"}});
    input.add("2");
    ASSERT_EQ(respond("ok"), Recorded::Entry);
    EXPECT_TRUE(master().starts_with("old\r\n" + kOpening)) << master();
    EXPECT_EQ(messages.told,
              std::vector<std::string>{"The tutor was stopped while it was recording an entry (the "
                                       "program was closed or the computer stopped), so that "
                                       "unfinished entry was taken out of your record file "
                                       + state.masterFilePath + ". Every entry recorded before it is kept."});
}

// A UTF-8 name that std::filesystem spells in the system's own form (UTF-16 on Windows).
std::filesystem::path utf8Name(const char* name)
{
    return std::u8string(reinterpret_cast<const char8_t*>(name));
}

// Every entry has a known bound, so that its intent record has one too.
TEST_F(Recording, AnAnswerLongerThanTheTutorRecordsIsRefusedBeforeTheRating)
{
    const std::string longest(kLongestAnswer, 'a');
    EXPECT_EQ(respond(longest + "a"), Recorded::Failed);
    EXPECT_EQ(saveNote(state, longest + "a", services), Recorded::Failed);
    EXPECT_FALSE(std::filesystem::exists(state.masterFilePath));
    const std::string said = " was not recorded: it has 1048577 characters, and the tutor records at most 1048576 in "
                             "one entry. Your text is still in the answer box: shorten it, or record it in parts.";
    EXPECT_EQ(messages.told, (std::vector<std::string>{"Your response" + said, "Your note" + said}));
    EXPECT_TRUE(state.awaitingResponse);

    input.add("2");
    ASSERT_EQ(respond(longest), Recorded::Entry);
    EXPECT_NE(master().find(longest), std::string::npos);
}

TEST_F(Recording, ANameBeyondAsciiIsSpelledInUtf8OnDisk)
{
    state.dataFolder = folder.path();
    buildRecordPaths(state, "Zo\xEB Li", "07-12-2026");
    input.add("2");
    ASSERT_EQ(respond("ok"), Recorded::Entry);
    ASSERT_EQ(saveNote(state, "note", services), Recorded::Entry);
    for (const char* name : {"masterFile_Zo\xC3\xAB_Li.txt", "send_0712Zo\xC3\xAB_Li.txt", "notes_Zo\xC3\xAB_Li.txt"})
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder.path()) / utf8Name(name))) << name;
}

TEST_F(Recording, ANotesFileThatCannotBeOpenedStopsTheWholeNote)
{
    std::filesystem::create_directory(state.notesFilePath);
    EXPECT_EQ(saveNote(state, "ok", services), Recorded::Failed);
    EXPECT_FALSE(std::filesystem::exists(state.masterFilePath));
    EXPECT_FALSE(std::filesystem::exists(state.sendFilePath));
    EXPECT_EQ(messages.told,
              std::vector<std::string>{"Your note was not recorded. The record file cannot be opened: "
                                       + state.notesFilePath + ": it is a folder, not a file." + kClearTheName});
}

TEST(RecordEntries, NumberLineHasASignPlaceAndATrailingSpace)
{
    EXPECT_EQ(numberLine(recordNumber("005", "")), "`questionNumber 50000 ");
    EXPECT_EQ(numberLine(recordNumber("005", "12")), "`questionNumber 50012 ");
    EXPECT_EQ(numberLine(recordNumber("016", "7")), "`questionNumber 160007 ");
    EXPECT_EQ(numberLine(recordNumber("abc", "")), "`questionNumber 0 ");
    EXPECT_EQ(numberLine(-3), "`questionNumber-3 ");
}

} // namespace
} // namespace calctutor
