#include "core/Windows1252.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <optional>

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

// The byte as the system's own Windows-1252 converter reads it; nullopt
// where it has no character for the byte.
#ifdef _WIN32
std::optional<std::string> systemReading(unsigned char byte)
{
    const char in = static_cast<char>(byte);
    wchar_t wide = 0;
    if (::MultiByteToWideChar(1252, 0, &in, 1, &wide, 1) != 1) {
        ADD_FAILURE() << "Windows cannot convert byte " << int(byte) << " from code page 1252";
        return std::nullopt;
    }
    // Windows keeps a byte that has no character as the control of the same number.
    if (byte >= 0x80 && byte <= 0x9F && wide == byte)
        return std::nullopt;
    char out[8] = {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, &wide, 1, out, sizeof out, nullptr, nullptr);
    return std::string(out, static_cast<std::size_t>(length));
}
#else
std::optional<std::string> systemReading(unsigned char byte)
{
    const iconv_t converter = iconv_open("UTF-8", "WINDOWS-1252");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        ADD_FAILURE() << "iconv cannot convert from WINDOWS-1252";
        return std::nullopt;
    }
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (done == static_cast<std::size_t>(-1))
        return std::nullopt;
    return std::string(out, sizeof out - outLeft);
}
#endif

TEST(Windows1252, EveryByteReadsAsTheSystemReadsIt)
{
    int assignedHighControls = 0;
    std::vector<int> unassigned;
    for (int byte = 0; byte < 256; ++byte) {
        const std::string text(1, static_cast<char>(byte));
        const std::optional<std::string> expected = systemReading(static_cast<unsigned char>(byte));
        if (!expected) {
            unassigned.push_back(byte);
            continue;
        }
        if (byte >= 0x80 && byte <= 0x9F)
            ++assignedHighControls;
        EXPECT_EQ(windows1252ToUtf8(text), *expected) << "byte " << byte;
        const Encoded1252 back = utf8ToWindows1252(*expected);
        EXPECT_TRUE(back.ok()) << "byte " << byte;
        EXPECT_EQ(back.text, text) << "byte " << byte;
    }
    EXPECT_EQ(assignedHighControls, 27);
    EXPECT_EQ(unassigned, (std::vector<int>{0x81, 0x8D, 0x8F, 0x90, 0x9D}));
}

TEST(Windows1252, NamesEachCharacterItCannotStoreOnce)
{
    const Encoded1252 encoded = utf8ToWindows1252("\u03B1 + \u03B2 = \u03B1\u2192");
    EXPECT_FALSE(encoded.ok());
    EXPECT_EQ(encoded.unstorable, (std::vector<std::string>{"\u03B1", "\u03B2", "\u2192"}));
    EXPECT_EQ(encoded.text, " +  = ");
}

// Each is read whole, whatever the length of its UTF-8 sequence, and none of
// them may come out as another character that the records could hold
// (U+A013 shares its low bits with the en dash U+2013).
TEST(Windows1252, CharactersOfEveryUtf8LengthAreReadWhole)
{
    for (const char* character : {"\u0410", "\u07FF", "\u0800", "\u0E01", "\uA013", "\uFFFD", "\U0001F600"}) {
        const Encoded1252 encoded = utf8ToWindows1252(std::string("a") + character + "b");
        EXPECT_EQ(encoded.text, "ab") << character;
        EXPECT_EQ(encoded.unstorable, std::vector<std::string>{character}) << character;
    }
    EXPECT_EQ(utf8ToWindows1252("\u00FF\u0178\u20AC").text, "\xFF\x9F\x80");
    // A stray continuation byte, or a sequence cut short at the end, is one unstorable byte.
    EXPECT_EQ(utf8ToWindows1252("a\x80"
                                "b\xC3")
                  .text,
              "ab");
    EXPECT_EQ(utf8ToWindows1252("a\x80"
                                "b\xC3")
                  .unstorable,
              (std::vector<std::string>{"\x80", "\xC3"}));
}

TEST(Windows1252, AByteWithoutACharacterStandsForTheC1ControlOfItsNumber)
{
    for (const int byte : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
        std::string control;
        control += static_cast<char>(0xC2);
        control += static_cast<char>(byte);
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(windows1252ToUtf8(text), control) << byte;
        EXPECT_EQ(utf8ToWindows1252(control).text, text) << byte;
    }
    // The C1 controls of bytes that do hold a character cannot be stored.
    EXPECT_FALSE(utf8ToWindows1252("\u0080").ok());
    EXPECT_FALSE(utf8ToWindows1252("\u009F").ok());
}

} // namespace
} // namespace calctutor
