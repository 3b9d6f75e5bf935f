#include "records/RecordFileNames.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

using Kind = RecognisedRecordFile::Kind;

TEST(RecordFileNames, RecognisesTheTutorsNamesWhereverTheyStand)
{
    const struct {
        const char* fileName;
        Kind kind;
        const char* namePart;
        const char* monthDay;
    } rows[] = {
        {"masterFile_Ann_Lee.txt", Kind::Master, "Ann_Lee", ""},
        {"send_0712Ann_Lee.txt", Kind::Send, "Ann_Lee", "0712"},
        {"notes_Ann_Lee.txt", Kind::Notes, "Ann_Lee", ""},
        {"42_Re_ send_0712Ann_Lee (1).txt", Kind::Send, "Ann_Lee", "0712"},
        {"masterFile_Ann_Lee(2).TXT", Kind::Master, "Ann_Lee", ""},
        {"masterFile_.txt", Kind::Master, "", ""},
        {"send_0712.txt", Kind::Send, "", "0712"},
        {"notes_send_0712Bo.txt", Kind::Notes, "send_0712Bo", ""},
        {"masterFile_Zo\xC3\xAB_(Wu).txt", Kind::Master, "Zo\xC3\xAB_(Wu)", ""},
    };
    for (const auto& row : rows) {
        const auto file = recogniseRecordFileName(row.fileName);
        ASSERT_TRUE(file.has_value()) << row.fileName;
        EXPECT_EQ(file->kind, row.kind) << row.fileName;
        EXPECT_EQ(file->namePart, row.namePart) << row.fileName;
        EXPECT_EQ(file->monthDay, row.monthDay) << row.fileName;
    }
    // The longest name a file system takes: 255 bytes.
    const std::string longest = "masterFile_" + std::string(240, 'A') + ".txt";
    ASSERT_EQ(longest.size(), 255u);
    const auto file = recogniseRecordFileName(longest);
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(file->namePart, std::string(240, 'A'));

    for (const char* other : {".pending_Ann_Lee.txt", ".draft_Ann_Lee_003.txt", "masterFile_Ann.doc",
                              "send_1332Ann.txt", "send_Ann.txt", "readme.txt", "masterFile_Ann.txt.bak", ""})
        EXPECT_FALSE(recogniseRecordFileName(other).has_value()) << other;
}

TEST(RecordFileNames, ReadsTheNameBackFromTheWritersRule)
{
    const RecordFileNames names = recordFileNames("Ann B Lee", "07-12-2026");
    for (const std::string& fileName : {names.master, names.send, names.notes}) {
        const auto file = recogniseRecordFileName(fileName);
        ASSERT_TRUE(file.has_value()) << fileName;
        EXPECT_EQ(studentNameOf(file->namePart), "Ann B Lee") << fileName;
    }
    EXPECT_FALSE(recogniseRecordFileName(names.pending).has_value());
}

} // namespace
} // namespace calctutor
