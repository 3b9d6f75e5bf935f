#include "records/TextCoding.h"

#include "Fakes.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

using testing::ScriptedRandom;

TEST(Code, ReturnsTheTextUnchanged)
{
    EXPECT_EQ(code("", 19), "");
    EXPECT_EQ(code("assignment #005", 23), "assignment #005");
    EXPECT_EQ(code(std::string("a\r\n\xE9\0b", 6), 0), std::string("a\r\n\xE9\0b", 6));
}

TEST(RemSpaces, DropsSpacesAndHyphensOnly)
{
    EXPECT_EQ(remSpaces("graph 2"), "graph2");
    EXPECT_EQ(remSpaces("a - b"), "ab");
    EXPECT_EQ(remSpaces(" -graph-3 "), "graph3");
    EXPECT_EQ(remSpaces("under_score\tTab"), "under_score\tTab");
    EXPECT_EQ(remSpaces(""), "");
}

TEST(Decode, MapsEachCharacterByItsCode)
{
    EXPECT_EQ(decode(" ", 19), " ");
    EXPECT_EQ(decode(" ", 28), " ");
    EXPECT_EQ(decode("\xC8", 20), "P");  // 200 - 20 - 100 = 80
    EXPECT_EQ(decode("A", 20), "\xFE");  // 65 + 209 - 20 = 254
    EXPECT_EQ(decode("BZavbv", 20), ""); // 66 to 118 are dropped
}

TEST(Decode, BoundsAreStrictAndOutOfRangeCodesAreDropped)
{
    EXPECT_EQ(decode("w", 19), std::string(1, '\0')); // 119 goes through the third rule
    EXPECT_EQ(decode("w", 20), "");                   // would be -1
    EXPECT_EQ(decode("A", 0), "");                    // would be 274
}

TEST(Decode, DropsTheCharactersBToVForEveryCodeNumber)
{
    std::string bToV;
    for (char c = 'B'; c <= 'v'; ++c)
        bToV.push_back(c);
    // Outside the run's 19 to 28 too, where a shifted bound would give a
    // character a code in range.
    for (int codeNumber = -300; codeNumber <= 300; ++codeNumber)
        EXPECT_EQ(decode(bToV, codeNumber), "") << codeNumber;
    for (int codeNumber = 19; codeNumber <= 28; ++codeNumber) {
        EXPECT_EQ(decode("A", codeNumber), std::string(1, static_cast<char>(65 + 209 - codeNumber))) << codeNumber;
        EXPECT_EQ(decode("w", codeNumber), codeNumber == 19 ? std::string(1, '\0') : "") << codeNumber;
    }
}

TEST(MakeCodeLine, BuildsMainAndFillerCharactersFromTheDraws)
{
    // r >= 0.1: main character only; r < 0.1: a filler, then the main character.
    ScriptedRandom random{0.1f, 0.0f, 0.05f, 0.5f, 0.99f};
    const std::string line = makeCodeLine(2, random);
    // 0 * 137 + 118 = 118; then filler 0.5 * 50 + 66 = 91, main 0.99 * 137 + 118 = 253.63 -> 254
    EXPECT_EQ(line, std::string("\x76\x5B\xFE"));
    EXPECT_EQ(random.remaining(), 0u);
}

TEST(MakeCodeLine, RoundsHalvesToEven)
{
    // 0.5 * 137 + 118 = 186.5 -> 186; filler 0.25 * 50 + 66 = 78.5 -> 78
    ScriptedRandom random{0.2f, 0.5f, 0.0f, 0.25f, 0.5f};
    EXPECT_EQ(makeCodeLine(2, random), std::string("\xBA\x4E\xBA"));
}

TEST(MakeCodeLine, KeepsItsShapeForAnyDraws)
{
    ScriptedRandom random;
    for (int i = 0; i < 19 * 3; ++i)
        random.add(static_cast<float>((i * 37) % 100) / 100.0f);
    const std::string line = makeCodeLine(19, random);
    ASSERT_GE(line.size(), 19u);
    ASSERT_LE(line.size(), 38u);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const int c = static_cast<unsigned char>(line[i]);
        EXPECT_GE(c, 66);
        EXPECT_NE(c, 117);
        if (c < 117) {
            ASSERT_TRUE(i + 1 < line.size() && static_cast<unsigned char>(line[i + 1]) >= 118);
        }
    }
    while (random.remaining() > 0)
        (void)random.next(); // the draws left over depend on how many fillers came
}

TEST(MakeCodeLine, IsEmptyForCodeNumberZero)
{
    ScriptedRandom random;
    EXPECT_EQ(makeCodeLine(0, random), "");
    EXPECT_EQ(makeCodeLine(-3, random), "");
}

} // namespace
} // namespace calctutor
