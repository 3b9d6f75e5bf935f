#pragma once
// "display notes" and "display SEND file": which bytes of a record file each
// viewer shows and how its lines are joined. The window decodes the result
// into its own text in the same single pass; neither viewer changes a file.

#include "records/Failure.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

enum class Viewer {
    Notes,    // the lines joined with nothing between them
    SendFile, // a line break before every line, the first one included
};

// What a viewer shows at most, so that the question box takes it in well
// under a second on a slow, busy desktop. Of a larger file it shows the end;
// a run of characters with no space to wrap at is not shown at all, because
// laying one out takes time that grows with the square of its length.
struct ViewLimits {
    std::size_t bytes;       // 1 MB of short lines takes about 0.1 s; the notes, one paragraph, 0.7 s
    std::size_t lines;       // each line of the box costs up to 10 microseconds, even an empty one
    std::size_t unbrokenRun; // 16,000 characters without a space take 0.15 s, 64,000 a second
};
ViewLimits viewLimits(Viewer viewer);

// Calls `character` for every byte that is not part of a line end (CR LF, CR
// or LF) and `lineBreak` where the viewer puts a line break, in order.
template <typename Character, typename LineBreak>
void walkViewText(std::string_view content, Viewer viewer, Character&& character, LineBreak&& lineBreak)
{
    if (content.empty())
        return;
    if (viewer == Viewer::SendFile)
        lineBreak();
    const char* next = content.data();
    const char* const end = next + content.size();
    while (next != end) {
        const char c = *next++;
        if (c != '\r' && c != '\n') {
            character(c);
            continue;
        }
        if (c == '\r' && next != end && *next == '\n')
            ++next;
        // The line end of the last line starts no new line.
        if (viewer == Viewer::SendFile && next != end)
            lineBreak();
    }
}

// The viewer's text as a Windows-1252 text with CR LF line breaks.
std::string viewText(std::string_view content, Viewer viewer);

// What a viewer adds to the question box, or why it shows nothing.
struct FileView {
    std::optional<Failure> failure; // for the student (failureSentence); when set, nothing is shown
    std::string heading;            // when only the end is shown: how much of how much, and where the whole file is
    std::string content;            // the bytes shown, from the start of a line
};

// Reads a record file for a viewer without blocking on special files: only a
// regular file, or a link to one, is opened. Of a file above the limits only
// the end is read: the last lines that fit, from a line start. The path and
// the texts are Windows-1252.
FileView readForViewer(const std::string& path, std::string_view whatItIs, Viewer viewer, const ViewLimits& limits);

// The file's lines without their line ends (CR LF, CR or LF).
std::vector<std::string_view> splitLines(std::string_view content);

struct FileRead {
    std::optional<std::string> content;
    std::optional<Failure> failure; // for the student, when content is empty
};

// Reads a whole regular file; the path is a Windows-1252 text.
FileRead readWholeFile(const std::string& path, std::string_view whatItIs);

} // namespace calctutor
