#pragma once
// How text goes into a page: every character that HTML gives a meaning
// (& < > " ') written as a character reference, and control characters that a
// page may not hold (NUL, the C0 controls other than tab and line feed, DEL)
// shown as U+FFFD. The templates escape every value through this.

#include "report/ReportEntry.h"

#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

std::string escapeHtml(std::string_view text);
// The same, appended to a page being built.
void appendEscapedHtml(std::string& escaped, std::string_view text);

// Text that appendEscapedHtml has escaped already, to be copied as it is.
struct EscapedHtml {
    std::string_view html;
};

// A value for a page: text, escaped as it goes in, or escaped text.
class PageValue {
public:
    PageValue(std::string_view text) : m_text(text) {}
    PageValue(const std::string& text) : m_text(text) {}
    PageValue(const char* text) : m_text(text) {}
    PageValue(EscapedHtml html) : m_text(html.html), m_escaped(true) {}

    void appendTo(std::string& page) const
    {
        if (m_escaped)
            page += m_text;
        else
            appendEscapedHtml(page, m_text);
    }

private:
    std::string_view m_text;
    bool m_escaped = false;
};

// The texts of a student's entries, escaped once for the pages that show them.
class EscapedTexts {
public:
    void escape(const std::vector<ReportEntry>& entries);
    EscapedHtml operator[](std::size_t entry) const;

private:
    std::string m_html;
    std::vector<std::size_t> m_ends; // where each entry's text ends in m_html
};

} // namespace calctutor::report
