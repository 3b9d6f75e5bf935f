// Student page names: kept by Windows and Linux alike, usable in a link, and
// one page per student.
#include "report/html/StudentFileNames.h"

#include <gtest/gtest.h>

namespace calctutor::report {
namespace {

TEST(StudentFileNames, MapsWhatFileSystemsOrLinksRefuse)
{
    struct Row {
        const char* why;
        std::string name;
        std::string stem;
    };
    const Row rows[] = {
        {"spaces as the tutor writes them", "Ann Lee", "Ann_Lee"},
        {"letters with accents stay", "Jos\xC3\xA9 M\xC3\xBCller", "Jos\xC3\xA9_M\xC3\xBCller"},
        {"characters Windows refuses", "a<b>c:d\"e/f\\g|h?i*j", "a_b_c_d_e_f_g_h_i_j"},
        {"marks that end a link's path", "x#y%z&w", "x_y_z_w"},
        {"trailing dot and space", "Ann. ", "Ann__"},
        {"a path that climbs", "../../etc", "______etc"},
        {"control characters", std::string("a\0b\tc", 5), "a_b_c"},
        {"device name", "CON", "CON_"},
        {"device name in small letters", "nul", "nul_"},
        {"numbered device", "com1", "com1_"},
        {"numbered printer", "LPT9", "LPT9_"},
        {"device with a superscript", "COM\xC2\xB9", "COM\xC2\xB9_"},
        {"device with an extension", "con.txt", "con_txt"},
        {"longer than a device", "CONSOLE", "CONSOLE"},
        {"nothing left", "", "student"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(safeFileStem(row.name), row.stem) << row.why;
}

TEST(StudentFileNames, LongNamesAreCutBetweenCharacters)
{
    std::string name;
    for (int i = 0; i < 150; ++i)
        name += "\xC3\xA9"; // é, two bytes
    const std::string stem = safeFileStem(name);
    EXPECT_EQ(stem.size(), 100u);
    EXPECT_EQ(stem.substr(98), "\xC3\xA9");
    const std::string ascii(300, 'a');
    EXPECT_EQ(safeFileStem(ascii), std::string(100, 'a'));
    const std::string odd = "a" + name; // the cut falls inside a character
    EXPECT_EQ(safeFileStem(odd).size(), 99u);
}

TEST(StudentFileNames, CollisionsGetNumbersWhateverTheCase)
{
    StudentFileNames names;
    EXPECT_EQ(names.assign("Ann Lee"), "Ann_Lee");
    EXPECT_EQ(names.assign("Ann_Lee"), "Ann_Lee-2");
    EXPECT_EQ(names.assign("ann lee"), "ann_lee-3");
    EXPECT_EQ(names.assign("Ann?Lee"), "Ann_Lee-4");
    EXPECT_EQ(names.assign("Ann_Lee-2"), "Ann_Lee-2-2");
    EXPECT_EQ(names.assign("\xC3\x89mile"), "\xC3\x89mile");
    EXPECT_EQ(names.assign("\xC3\xA9mile"), "\xC3\xA9mile-2") << "Windows folds É and é together";
    EXPECT_EQ(names.assign("Bo"), "Bo");
}

TEST(StudentFileNames, LinksPercentEncodeLettersBeyondAscii)
{
    EXPECT_EQ(stemInLink("Zo\xC3\xAB_\xC3\x9Cnal"), "Zo%C3%AB_%C3%9Cnal");
    EXPECT_EQ(stemInLink("Ann_Lee-2"), "Ann_Lee-2");
}

} // namespace
} // namespace calctutor::report
