#pragma once
// The program's Windows-1252 texts as the window's texts: each byte decoded
// straight into UTF-16 in one pass, with the line ends mended on the way, so
// that even a text of megabytes is copied only once.

#include "records/RecordViewers.h"

#include <QString>
#include <QTextOption>

#include <string_view>

namespace calctutor {

// CR LF becomes the window's line break.
QString toDisplay(std::string_view text);

// What a viewer adds to the question box: the heading, if any, on a line of
// its own, then the file's text with the viewer's line breaks.
QString viewerDisplay(const FileView& view, Viewer viewer);

// How the answer box wraps this text: at word boundaries, except that a run
// of thousands of characters without a space wraps anywhere, since Qt takes
// seconds to lay out such a run by words (the viewers refuse one instead).
QTextOption::WrapMode answerWrapMode(QStringView text);
inline constexpr qsizetype kLongestRunWrappedByWords = 2000;

} // namespace calctutor
