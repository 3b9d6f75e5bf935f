#include "records/AnswerDraft.h"

#include "records/EntryLimits.h"
#include "records/RecordMessages.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

// A draft is put back only when it is the tutor's own text of a size the
// answer box takes; anything else there is named, and never read as an answer.

namespace calctutor {
namespace {

using namespace calctutor::testing;
namespace fs = std::filesystem;

struct AnswerDraft : ::testing::Test {
    // What the start tells the student about the draft it found, if anything.
    static std::string told(const FoundDraft& found)
    {
        return found.failure ? draftNotPutBackMessage(*found.failure) : "";
    }
    std::string notPutBack(const std::string& why) const
    {
        return "An answer that you had typed but not recorded was kept in " + draft
            + ", but it was not put back in the answer box: " + why + ".";
    }

    TempFolder folder;
    const std::string draft = folder.file(".draft_Ann_001.txt");
    const std::string master = folder.file("masterFile_Ann.txt");
};

TEST_F(AnswerDraft, ADraftUpToTheLimitIsPutBackAndOneByteMoreIsNamed)
{
    writeFile(draft, std::string(kLongestAnswer, 'a'));
    const FoundDraft atLimit = findDraft(draft);
    EXPECT_EQ(atLimit.text.value_or("").size(), kLongestAnswer);
    EXPECT_FALSE(atLimit.failure.has_value());

    writeFile(draft, std::string(kLongestAnswer + 1, 'a'));
    const FoundDraft over = findDraft(draft);
    EXPECT_FALSE(over.text.has_value());
    EXPECT_EQ(told(over),
              notPutBack("it is 1048577 bytes long, more than the 1048576 bytes that the answer box takes. Open it in "
                         "a text editor to copy what you need"));
}

// What the start found at the draft's name, each told once and none read as an answer.
TEST_F(AnswerDraft, WhatIsNotTheTutorsOwnDraftIsNamedNotRead)
{
    const struct {
        const char* name;
        std::function<void(const AnswerDraft&)> make;
        std::string why;
    } rows[] = {
        {"1 GB, sparse",
         [](const AnswerDraft& t) {
             writeFile(t.draft, "");
             fs::resize_file(t.draft, std::uintmax_t{1} << 30);
         },
         "it is 1073741824 bytes long, more than the 1048576 bytes that the answer box takes. Open it in a text "
         "editor to copy what you need"},
        {"NUL bytes", [](const AnswerDraft& t) { writeFile(t.draft, std::string(4096, '\0')); },
         "it holds NUL bytes, so it is not text the tutor wrote"},
        {"folder", [](const AnswerDraft& t) { fs::create_directory(t.draft); }, "it is a folder, not a file"},
        {"hard link to the master file", [](const AnswerDraft& t) { fs::create_hard_link(t.master, t.draft); },
         "it is one of 2 names of the same file (a hard link), so writing here would change the file under its "
         "other names too"},
#ifndef _WIN32
        {"named pipe", [](const AnswerDraft& t) { ASSERT_EQ(::mkfifo(t.draft.c_str(), 0644), 0); },
         "it is a named pipe (FIFO), not a file"},
        {"symbolic link to the master file", [](const AnswerDraft& t) { fs::create_symlink(t.master, t.draft); },
         "it is a link to " + master + ", not a file"},
#endif
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(draft);
        writeFile(master, "every entry so far\r\n");
        try {
            row.make(*this);
        } catch (const fs::filesystem_error& error) {
            std::printf("[   NOTE   ] %s: this system made no such file: %s\n", row.name, error.what());
            continue;
        }
        const FoundDraft found = findDraft(draft);
        EXPECT_FALSE(found.text.has_value()) << "offered as the answer: " << found.text.value_or("").substr(0, 40);
        EXPECT_EQ(told(found), notPutBack(row.why));
    }
    fs::remove_all(draft);
    EXPECT_FALSE(findDraft(draft).failure.has_value()) << "no draft is nothing to tell";
}

} // namespace
} // namespace calctutor
