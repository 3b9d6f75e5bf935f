#include "records/RecordViewers.h"

#include "core/Windows1252.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace calctutor {

std::vector<std::string_view> splitLines(std::string_view content)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(content.substr(start));
            break;
        }
        lines.push_back(content.substr(start, end - start));
        start = end + ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

std::string notesViewText(std::string_view content)
{
    std::string text;
    text.reserve(content.size());
    for (const std::string_view line : splitLines(content))
        text.append(line);
    return text;
}

std::string sendFileViewText(std::string_view content)
{
    std::string text;
    text.reserve(content.size() + content.size() / 16 + 2);
    for (const std::string_view line : splitLines(content))
        text.append("\r\n").append(line);
    return text;
}

FileRead readWholeFile(const std::string& path, std::string_view whatItIs)
{
    std::ifstream in(windows1252ToUtf8(path), std::ios::binary);
    if (!in) {
        const int error = errno;
        if (error == ENOENT)
            return {std::nullopt,
                    "There is nothing to show yet: the " + std::string(whatItIs) + " " + path + " does not exist."};
        return {std::nullopt,
                "The " + std::string(whatItIs) + " " + path + " cannot be read: " + std::strerror(error) + "."};
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return {std::nullopt, "The " + std::string(whatItIs) + " " + path + " cannot be read."};
    return {content.str(), {}};
}

} // namespace calctutor
