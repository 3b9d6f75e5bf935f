#include "report/html/HtmlText.h"

#include <array>

namespace calctutor::report {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// The bytes that cannot be copied as they are: markup, controls, and 0xC2,
// which starts the C1 controls U+0080 to U+009F in UTF-8.
constexpr std::array<bool, 256> kSpecial = [] {
    std::array<bool, 256> special{};
    for (int byte = 0; byte < 0x20; ++byte)
        special[byte] = byte != '\n' && byte != '\t';
    for (unsigned char byte : {'&', '<', '>', '"', '\'', '\x7f', '\xC2'})
        special[byte] = true;
    return special;
}();

bool isSpecial(char c)
{
    return kSpecial[static_cast<unsigned char>(c)];
}

} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 16);
    appendEscapedHtml(escaped, text);
    return escaped;
}

void appendEscapedHtml(std::string& escaped, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t run = i;
        while (run < text.size() && !isSpecial(text[run]))
            ++run;
        escaped.append(text, i, run - i); // copied in one piece up to the next special byte
        if (run == text.size())
            break;
        i = run + 1;
        switch (text[run]) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        case '\xC2':
            if (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x80
                && static_cast<unsigned char>(text[i]) <= 0x9F) {
                escaped += kReplacement; // a C1 control
                ++i;
            } else {
                escaped += '\xC2';
            }
            break;
        default: escaped += kReplacement;
        }
    }
}

void EscapedTexts::escape(const std::vector<ReportEntry>& entries)
{
    m_html.clear();
    m_ends.clear();
    for (const ReportEntry& entry : entries) {
        appendEscapedHtml(m_html, entry.text);
        m_ends.push_back(m_html.size());
    }
}

EscapedHtml EscapedTexts::operator[](std::size_t entry) const
{
    const std::size_t begin = entry == 0 ? 0 : m_ends.at(entry - 1);
    return {std::string_view(m_html).substr(begin, m_ends.at(entry) - begin)};
}

} // namespace calctutor::report
