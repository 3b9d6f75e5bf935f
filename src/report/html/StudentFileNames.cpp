#include "report/html/StudentFileNames.h"

#include <array>

namespace calctutor::report {

namespace {

constexpr std::size_t kLongestStem = 100;

bool keptAsIs(unsigned char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') || byte == '-'
        || byte == '_' || byte >= 0x80;
}

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// As Windows compares names: ASCII and the Latin-1 capitals (U+00C0 to U+00DE,
// but for the multiplication sign) folded to small letters.
std::string foldedForComparing(std::string_view text)
{
    std::string folded = lowerAscii(text);
    for (std::size_t i = 0; i + 1 < folded.size(); ++i) {
        const auto second = static_cast<unsigned char>(folded[i + 1]);
        if (static_cast<unsigned char>(folded[i]) == 0xC3 && second >= 0x80 && second <= 0x9E && second != 0x97)
            folded[i + 1] = static_cast<char>(second + 0x20);
    }
    return folded;
}

// CON, PRN, AUX, NUL, and COM or LPT with a digit or a superscript 1, 2, 3.
bool isWindowsDevice(std::string_view stem)
{
    const std::string lower = lowerAscii(stem);
    constexpr std::array<std::string_view, 4> kDevices = {"con", "prn", "aux", "nul"};
    for (std::string_view device : kDevices) {
        if (lower == device)
            return true;
    }
    if (!lower.starts_with("com") && !lower.starts_with("lpt"))
        return false;
    const std::string_view number = std::string_view(lower).substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    for (std::string_view superscript : kSuperscripts) {
        if (number == superscript)
            return true;
    }
    return number.size() == 1 && number[0] >= '0' && number[0] <= '9';
}

// Cuts before a UTF-8 continuation byte would split a character.
std::string cutToLength(std::string stem)
{
    if (stem.size() <= kLongestStem)
        return stem;
    std::size_t end = kLongestStem;
    while (end > 0 && (static_cast<unsigned char>(stem[end]) & 0xC0) == 0x80)
        --end;
    stem.resize(end);
    return stem;
}

} // namespace

std::string safeFileStem(std::string_view studentName)
{
    std::string stem;
    stem.reserve(studentName.size());
    for (const char c : studentName)
        stem += keptAsIs(static_cast<unsigned char>(c)) ? c : '_';
    stem = cutToLength(std::move(stem));
    if (stem.empty())
        return "student";
    if (isWindowsDevice(stem))
        stem += '_';
    return stem;
}

std::string stemInLink(std::string_view stem)
{
    constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string link;
    for (const char c : stem) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            link += c;
        } else {
            link += '%';
            link += kHex[byte >> 4];
            link += kHex[byte & 0xF];
        }
    }
    return link;
}

std::string StudentFileNames::assign(std::string_view studentName)
{
    const std::string stem = safeFileStem(studentName);
    std::string candidate = stem;
    for (int suffix = 2; m_taken.contains(foldedForComparing(candidate)); ++suffix)
        candidate = stem + "-" + std::to_string(suffix);
    m_taken.insert(foldedForComparing(candidate));
    return candidate;
}

} // namespace calctutor::report
