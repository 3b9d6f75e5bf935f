#include "core/Windows1252.h"

#include <gtest/gtest.h>

namespace calctutor {
namespace {

TEST(Windows1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const Encoded1252 back = utf8ToWindows1252(windows1252ToUtf8(all));
    EXPECT_TRUE(back.ok());
    EXPECT_EQ(back.text, all);
}

TEST(Windows1252, MapsTheCharactersThatDifferFromLatin1)
{
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(windows1252ToUtf8("\x93quoted\x94"), "\u201Cquoted\u201D");
    EXPECT_EQ(utf8ToWindows1252("\u2013").text, "\x96");
    EXPECT_EQ(utf8ToWindows1252("caf\u00E9").text, "caf\xE9");
}

TEST(Windows1252, NamesEachCharacterItCannotStoreOnce)
{
    const Encoded1252 encoded = utf8ToWindows1252("\u03B1 + \u03B2 = \u03B1\u2192");
    EXPECT_FALSE(encoded.ok());
    EXPECT_EQ(encoded.unstorable, (std::vector<std::string>{"\u03B1", "\u03B2", "\u2192"}));
    EXPECT_EQ(encoded.text, " +  = ");
}

TEST(Windows1252, AC1ControlStandsForItself)
{
    // 0x81 has no character in Windows-1252; it is kept as the control U+0081.
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8("\x81")).text, "\x81");
    EXPECT_FALSE(utf8ToWindows1252("\u0080").ok());
}

} // namespace
} // namespace calctutor
