#include "records/RecordViewers.h"

#include "core/NumberText.h"
#include "core/Windows1252.h"
#include "platform/NativeFiles.h"

#include <algorithm>
#include <filesystem>

namespace calctutor {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
constexpr std::size_t kKilobyte = 1024;
constexpr ViewLimits kNotesLimits{256 * kKilobyte, kNoLimit, 2000};
constexpr ViewLimits kSendFileLimits{4 * kKilobyte * kKilobyte, 65536, 2000};

// A name of the file system (UTF-8) inside a Windows-1252 message.
std::string messagePath(const fs::path& path)
{
    return utf8ToWindows1252(path.string()).text;
}

std::string cannotBeRead(const std::string& path, std::string_view whatItIs, const std::string& reason)
{
    return "The " + std::string(whatItIs) + " " + path + " cannot be read: " + reason + ".";
}

// What a file that cannot be shown is, as in "is a folder, not a file".
std::string whatTheFileIs(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::fifo: return "a pipe (FIFO)";
    case fs::file_type::character:
    case fs::file_type::block: return "a device";
    case fs::file_type::socket: return "a socket";
    default: return "something other than a file";
    }
}

// Why the path cannot be opened as a regular file, decided before opening it,
// so that a pipe or a device never blocks the window; nothing when it can.
std::optional<std::string> notARegularFile(const std::string& path, std::string_view whatItIs)
{
    const fs::path native(windows1252ToUtf8(path));
    const std::string named = "The " + std::string(whatItIs) + " " + path;
    std::error_code error;
    const fs::file_status own = fs::symlink_status(native, error);
    if (own.type() == fs::file_type::not_found)
        return "There is nothing to show yet: the " + std::string(whatItIs) + " " + path + " does not exist.";
    if (error)
        return cannotBeRead(path, whatItIs, native::reasonFor(error));
    if (own.type() == fs::file_type::regular)
        return std::nullopt;
    if (own.type() != fs::file_type::symlink)
        return named + " is " + whatTheFileIs(own.type()) + ", not a file.";

    const fs::file_status target = fs::status(native, error);
    if (target.type() == fs::file_type::not_found) {
        std::error_code ignored;
        return named + " is a link that points nowhere: " + messagePath(fs::read_symlink(native, ignored))
            + " does not exist.";
    }
    if (error)
        return cannotBeRead(path, whatItIs, native::reasonFor(error));
    if (target.type() == fs::file_type::regular)
        return std::nullopt;
    return named + " is a link to " + messagePath(fs::canonical(native, error)) + ", which is "
        + whatTheFileIs(target.type()) + ", not a file.";
}

// "4.0 MB", "1.0 GB", "300.0 KB", "12 bytes".
std::string sizeText(std::uintmax_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    double size = static_cast<double>(bytes) / 1024;
    std::size_t unit = 0;
    while (size >= 1024 && unit + 1 < std::size(kUnits)) {
        size /= 1024;
        ++unit;
    }
    return fixedNumber(size, 1) + " " + kUnits[unit];
}

// Drops the bytes before the first line start; `tail` begins one byte before
// the bytes that may be shown, so that a line starting right there is kept.
void startAtALine(std::string& tail)
{
    const std::size_t lineEnd = tail.find_first_of("\r\n");
    if (lineEnd == std::string::npos) {
        tail.erase(0, 1); // one line longer than the limit: its end is shown
        return;
    }
    const bool crLf = tail[lineEnd] == '\r' && lineEnd + 1 < tail.size() && tail[lineEnd + 1] == '\n';
    tail.erase(0, lineEnd + (crLf ? 2 : 1));
}

// Where the last `lines` lines begin; 0 when the text holds no more.
std::size_t startOfLastLines(std::string_view text, std::size_t lines)
{
    std::size_t end = text.size();
    // The line end of the last line starts no further line.
    if (end > 0 && text[end - 1] == '\n')
        --end;
    if (end > 0 && text[end - 1] == '\r')
        --end;
    std::size_t found = 0;
    for (std::size_t i = end; i > 0; --i) {
        const char c = text[i - 1];
        if (c != '\r' && c != '\n')
            continue;
        if (++found == lines)
            return i;
        if (c == '\n' && i >= 2 && text[i - 2] == '\r')
            --i; // CR LF is one line end
    }
    return 0;
}

// The longest run of characters the viewer shows with no space, tab or line break in it.
std::size_t longestUnbrokenRun(std::string_view content, Viewer viewer)
{
    std::size_t run = 0;
    std::size_t longest = 0;
    walkViewText(
        content, viewer,
        [&](char c) {
            run = (c == ' ' || c == '\t') ? 0 : run + 1;
            longest = std::max(longest, run);
        },
        [&run] { run = 0; });
    return longest;
}

} // namespace

ViewLimits viewLimits(Viewer viewer)
{
    return viewer == Viewer::Notes ? kNotesLimits : kSendFileLimits;
}

std::string viewText(std::string_view content, Viewer viewer)
{
    std::string text;
    text.reserve(content.size() + 2);
    walkViewText(
        content, viewer, [&text](char c) { text.push_back(c); }, [&text] { text.append("\r\n"); });
    return text;
}

FileView readForViewer(const std::string& path, std::string_view whatItIs, Viewer viewer, const ViewLimits& limits)
{
    const std::size_t atMost = limits.bytes;
    FileView view;
    if (std::optional<std::string> problem = notARegularFile(path, whatItIs)) {
        view.problem = std::move(*problem);
        return view;
    }
    // Opening never waits, and refuses a file swapped for something else since the look above.
    native::File file;
    std::uint64_t size = 0;
    std::optional<native::Fault> fault = native::File::open(path, native::File::Mode::Read, file);
    if (!fault)
        fault = file.size(size);
    const bool whole = size <= atMost;
    const std::uint64_t start = whole ? 0 : size - atMost - 1;
    if (!fault)
        fault = file.readAt(start, static_cast<std::size_t>(size - start), view.content);
    if (fault) {
        view.problem = cannotBeRead(path, whatItIs, fault->reason);
        return view;
    }
    if (view.content.find('\0') != std::string::npos) {
        view.problem = "The " + std::string(whatItIs) + " " + path
            + " holds NUL bytes, so it is not a text file; it is not shown.";
        view.content.clear();
        return view;
    }
    if (!whole)
        startAtALine(view.content);
    const std::size_t lineStart = startOfLastLines(view.content, limits.lines);
    view.content.erase(0, lineStart);
    if (longestUnbrokenRun(view.content, viewer) > limits.unbrokenRun) {
        view.problem = "The " + std::string(whatItIs) + " " + path + " holds more than "
            + std::to_string(limits.unbrokenRun)
            + " characters in a row without a space or a line end; the question box would take too long to lay "
              "them out, so it is not shown.";
        view.content.clear();
        return view;
    }
    if (!whole || lineStart > 0) {
        view.heading = "The " + std::string(whatItIs) + " is too large to show whole: shown below are its last "
            + sizeText(view.content.size()) + " of " + sizeText(size) + ". The whole file is " + path;
    }
    return view;
}

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

FileRead readWholeFile(const std::string& path, std::string_view whatItIs)
{
    if (std::optional<std::string> problem = notARegularFile(path, whatItIs))
        return {std::nullopt, std::move(*problem)};
    std::string content;
    if (auto fault = native::readFile(path, content))
        return {std::nullopt, cannotBeRead(path, whatItIs, fault->reason)};
    return {std::move(content), {}};
}

} // namespace calctutor
