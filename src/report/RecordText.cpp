#include "report/RecordText.h"

#include "core/Windows1252.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace calctutor::report {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of a UTF-8 sequence from its first byte, 0 when it cannot start one.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

} // namespace

namespace {

constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

struct Scan {
    bool ascii = true;
    bool nul = false;
};

// Eight bytes at a time: most of a class's text is plain ASCII, and a text
// is read once for both questions.
Scan scan(std::string_view bytes)
{
    std::uint64_t high = 0;
    std::uint64_t zero = 0; // a high bit set where a word has a zero byte
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, 8);
        high |= word;
        zero |= (word - kLowBits) & ~word;
    }
    for (; at < bytes.size(); ++at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        high |= byte;
        zero |= byte == 0 ? 0x80 : 0;
    }
    return {(high & kHighBits) == 0, (zero & kHighBits) != 0};
}

} // namespace

bool isAscii(std::string_view bytes)
{
    return scan(bytes).ascii;
}

bool isUtf8Prefix(std::string_view bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = sequenceLength(lead);
        if (length == 0)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if (at + k >= bytes.size())
                return true; // cut off by the chunk's end
            const auto next = static_cast<unsigned char>(bytes[at + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            // Overlong forms and surrogates are not UTF-8 an editor writes.
            if (k == 1
                && ((lead == 0xE0 && next < 0xA0) || (lead == 0xED && next > 0x9F) || (lead == 0xF0 && next < 0x90)
                    || (lead == 0xF4 && next > 0x8F)))
                return false;
        }
        at += length;
    }
    return true;
}

std::size_t RecordText::look(std::string_view chunk, bool firstChunk)
{
    std::size_t skip = 0;
    if (firstChunk && chunk.starts_with(kByteOrderMark)) {
        m_byteOrderMark = true;
        m_coding = Coding::Utf8;
        skip = kByteOrderMark.size();
    }
    if (m_coding == Coding::Undecided && !isAscii(chunk))
        m_coding = isUtf8Prefix(chunk) ? Coding::Utf8 : Coding::Windows1252;
    return skip;
}

namespace {

// The UTF-8 bytes of each Windows-1252 code from 128 up, worked out once.
struct HighCodes {
    std::array<std::array<char, 3>, 128> bytes{};
    std::array<unsigned char, 128> length{};
    HighCodes()
    {
        for (unsigned code = 128; code < 256; ++code) {
            const std::string utf8 = windows1252ToUtf8(std::string(1, static_cast<char>(code)));
            std::memcpy(bytes[code - 128].data(), utf8.data(), utf8.size());
            length[code - 128] = static_cast<unsigned char>(utf8.size());
        }
    }
};

void appendWindows1252(std::string_view line, std::string& into)
{
    static const HighCodes codes;
    const std::size_t start = into.size();
    into.resize(start + line.size() * 3);
    char* out = into.data() + start;
    for (const char c : line) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            *out++ = c;
        } else {
            std::memcpy(out, codes.bytes[code - 128].data(), 3);
            out += codes.length[code - 128];
        }
    }
    into.resize(static_cast<std::size_t>(out - into.data()));
}

} // namespace

void RecordText::appendDecoded(std::string_view line, std::string& into) const
{
    if (m_coding == Coding::Utf8 || isAscii(line))
        into.append(line);
    else
        appendWindows1252(line, into);
}

bool RecordText::appendLines(std::span<const std::string_view> lines, std::string& into) const
{
    std::size_t total = lines.size();
    for (const std::string_view line : lines)
        total += line.size();
    into.reserve(into.size() + total);
    bool nul = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        if (index > 0)
            into.push_back('\n');
        const Scan seen = scan(lines[index]);
        nul = nul || seen.nul;
        if (m_coding == Coding::Utf8 || seen.ascii)
            into.append(lines[index]);
        else
            appendWindows1252(lines[index], into);
    }
    return nul;
}

std::string RecordText::decode(std::string_view line) const
{
    std::string text;
    appendDecoded(line, text);
    return text;
}

} // namespace calctutor::report
