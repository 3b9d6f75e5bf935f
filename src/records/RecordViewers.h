#pragma once
// "display notes" and "display SEND file": the text that each adds to the end
// of the question box, built in one piece so that a file of several megabytes
// shows at once. Neither changes a file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

// The file's lines without their line ends (CR LF, CR or LF).
std::vector<std::string_view> splitLines(std::string_view content);

// The lines joined with nothing between them.
std::string notesViewText(std::string_view content);
// CR LF before every line, the first one included.
std::string sendFileViewText(std::string_view content);

struct FileRead {
    std::optional<std::string> content;
    std::string problem; // for the student, when content is empty
};

// Reads a whole file; the path is a Windows-1252 text.
FileRead readWholeFile(const std::string& path, std::string_view whatItIs);

} // namespace calctutor
