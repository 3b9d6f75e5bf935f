#include "records/Failure.h"

#include "platform/NativeFiles.h"
#include "records/RecordMessages.h"

#include <gtest/gtest.h>

// A failure is told from its fields alone: each reaches the sentence in the
// place its form gives it, unchanged, and a failed entry ends with its remedy.

namespace calctutor {
namespace {

const std::string kPath = "C:\\Sch\xFCler\\send_0712Ann.txt"; // Windows-1252, as typed

TEST(Failure, EachFieldTakesItsPlaceInEachForm)
{
    const struct {
        const char* name;
        Failure failure;
        std::string said;
    } rows[] = {
        {"what was being done first",
         {.doing = "The record file cannot be written:", .path = kPath, .reason = "Disk full"},
         "The record file cannot be written: " + kPath + ": Disk full."},
        {"the file named first",
         {.what = "The notes file", .doing = "cannot be read", .path = kPath, .reason = "Permission denied"},
         "The notes file " + kPath + " cannot be read: Permission denied."},
        {"turned down by the tutor",
         {.what = "The query file", .path = kPath, .reason = "is empty"},
         "The query file " + kPath + " is empty."},
        // The tutor's own refusals of an entry.
        {"not the student's file", notOwnRecordFile(kPath, ".pending_Ann.txt"),
         "The file " + kPath
             + " is not one of the record files that belong with .pending_Ann.txt, so the tutor does not write to it."},
        {"an entry too long", entryTooLong(kPath, 70000, 65536),
         "The entry for " + kPath
             + " is 70000 bytes long, more than the 65536 bytes that the tutor records in one entry."},
        {"the intent record replaced", intentKeptReplaced(kPath),
         "The record of entries in progress " + kPath
             + " was replaced again and again while the tutor opened it; close other tutors and try again."},
    };
    for (const auto& row : rows)
        EXPECT_EQ(failureSentence(row.failure), row.said) << row.name;
}

TEST(Failure, TheSystemsFaultBringsItsReasonAndTheRemedyForItsKind)
{
    const Failure step{.doing = "The record file cannot be opened:", .path = kPath};
    const Failure refused = becauseOf(step, native::Fault{"No space left on device"});
    EXPECT_EQ(failureSentence(refused), "The record file cannot be opened: " + kPath + ": No space left on device.");
    EXPECT_EQ(refused.remedy, Remedy::FixFolderOrFreeSpace);
    EXPECT_EQ(becauseOf(step, native::Fault{"it is a folder, not a file", true}).remedy, Remedy::ClearTheName);
}

// A refusal that pressing again cannot mend still says where the text is.
TEST(Failure, AnEntryTheTutorRefusesKeepsTheTextWithoutAdvice)
{
    EXPECT_EQ(notRecordedMessage("Your note", entryTooLong(kPath, 70000, 65536)),
              "Your note was not recorded. The entry for " + kPath
                  + " is 70000 bytes long, more than the 65536 bytes that the tutor records in one entry. Your text is "
                    "still in the answer box.");
}

} // namespace
} // namespace calctutor
