#pragma once
// "display notes" and "display SEND file": which bytes of a record file each
// viewer shows and how its lines are joined. The window decodes the result
// into its own text in the same single pass; neither viewer changes a file.

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

// The most a viewer shows; of a larger file it shows the end. Chosen so that
// the question box takes the text in well under a second on a slow, busy
// desktop: laying out one megabyte of the send file's short lines takes about
// 0.1 s there, while the notes become a single paragraph, which costs about
// 0.7 s per megabyte.
std::size_t shownAtMost(Viewer viewer);

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
    std::string problem; // for the student; when set, nothing is shown
    std::string heading; // when only the end is shown: how much of how much, and where the whole file is
    std::string content; // the bytes shown, from the start of a line
};

// Reads a record file for a viewer without blocking on special files: only a
// regular file, or a link to one, is opened. Of a file larger than
// `atMost` bytes only the end is read, from the first line start in its last
// `atMost` bytes. The path and the texts are Windows-1252.
FileView readForViewer(const std::string& path, std::string_view whatItIs, std::size_t atMost);

// The file's lines without their line ends (CR LF, CR or LF).
std::vector<std::string_view> splitLines(std::string_view content);

struct FileRead {
    std::optional<std::string> content;
    std::string problem; // for the student, when content is empty
};

// Reads a whole regular file; the path is a Windows-1252 text.
FileRead readWholeFile(const std::string& path, std::string_view whatItIs);

} // namespace calctutor
