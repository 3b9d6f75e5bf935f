#include "report/RecordText.h"

#include "core/Windows1252.h"

#include <algorithm>

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

bool isAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
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

void RecordText::appendDecoded(std::string_view line, std::string& into) const
{
    if (m_coding == Coding::Utf8 || isAscii(line))
        into.append(line);
    else
        into.append(windows1252ToUtf8(line));
}

std::string RecordText::decode(std::string_view line) const
{
    std::string text;
    appendDecoded(line, text);
    return text;
}

} // namespace calctutor::report
