#pragma once
// How text goes into a page: every character that HTML gives a meaning
// (& < > " ') written as a character reference, and control characters that a
// page may not hold (NUL, the C0 controls other than tab and line feed, DEL)
// shown as U+FFFD. The templates escape every value through this.

#include <string>
#include <string_view>

namespace calctutor::report {

std::string escapeHtml(std::string_view text);
// The same, appended to a page being built.
void appendEscapedHtml(std::string& escaped, std::string_view text);

} // namespace calctutor::report
