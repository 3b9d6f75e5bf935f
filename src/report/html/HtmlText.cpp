#include "report/html/HtmlText.h"

namespace calctutor::report {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool isControl(unsigned char byte)
{
    return (byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7f;
}

} // namespace

std::string escapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default:
            if (isControl(byte)) {
                escaped += kReplacement;
            } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                       && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
                escaped += kReplacement; // a C1 control, U+0080 to U+009F
                ++i;
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

} // namespace calctutor::report
