#include "core/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace calctutor {

namespace {

// Code points of bytes 0x80 to 0x9F; 0 where Windows-1252 defines no character,
// in which case the byte stands for the C1 control of the same number.
// clang-format off
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
// clang-format on

char32_t codePointOf(unsigned char byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped != 0 ? mapped : byte;
}

int byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == codePoint || (kHighControls[i] == 0 && codePoint == 0x80 + i))
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Length of the UTF-8 sequence that starts with this byte; 1 for a stray byte.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

Encoded1252 utf8ToWindows1252(std::string_view utf8)
{
    Encoded1252 result;
    result.text.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : sequenceLength(lead);
        if (i + length > utf8.size())
            length = 1;
        char32_t cp = 0xFFFD;
        if (length == 1 && lead < 0x80) {
            cp = lead;
        } else if (length > 1) {
            cp = lead & (0xFF >> (length + 1));
            for (std::size_t k = 1; k < length; ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        const int byte = byteOf(cp);
        if (byte >= 0) {
            result.text.push_back(static_cast<char>(static_cast<unsigned char>(byte)));
        } else {
            std::string character(utf8.substr(i, length));
            if (std::find(result.unstorable.begin(), result.unstorable.end(), character) == result.unstorable.end())
                result.unstorable.push_back(std::move(character));
        }
        i += length;
    }
    return result;
}

std::string windows1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

char16_t windows1252ToUtf16(unsigned char byte)
{
    return static_cast<char16_t>(codePointOf(byte));
}

} // namespace calctutor
