#include "records/RecordViewers.h"

#include "platform/NativeFiles.h"
#include "records/RecordMessages.h"

#include <algorithm>

namespace calctutor {

namespace {

constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);
constexpr std::size_t kKilobyte = 1024;
constexpr ViewLimits kNotesLimits{256 * kKilobyte, kNoLimit, 2000};
constexpr ViewLimits kSendFileLimits{4 * kKilobyte * kKilobyte, 65536, 2000};

// Why the path cannot be opened as a regular file, decided before opening it,
// so that a pipe or a device never blocks the window; nothing when it can.
std::optional<Failure> notARegularFile(const std::string& path, std::string_view whatItIs)
{
    const native::PathInfo info = native::inspect(path);
    if (!info.reason.empty())
        return becauseOf(cannotBeRead(path, whatItIs), native::Fault{info.reason});
    switch (info.kind) {
    case native::PathKind::File: return std::nullopt;
    case native::PathKind::Missing: return nothingToShow(path, whatItIs);
    case native::PathKind::DanglingLink: return linkNowhere(path, whatItIs, info.linkTarget);
    case native::PathKind::Folder:
    case native::PathKind::Special: break;
    }
    if (info.linkTarget.empty())
        return notAFile(path, whatItIs, info.description);
    return linkToNotAFile(path, whatItIs, info.linkTarget, info.description);
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
    view.failure = notARegularFile(path, whatItIs);
    if (view.failure)
        return view;
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
        view.failure = becauseOf(cannotBeRead(path, whatItIs), *fault);
        return view;
    }
    if (view.content.find('\0') != std::string::npos) {
        view.failure = holdsNul(path, whatItIs);
        view.content.clear();
        return view;
    }
    if (!whole)
        startAtALine(view.content);
    const std::size_t lineStart = startOfLastLines(view.content, limits.lines);
    view.content.erase(0, lineStart);
    if (longestUnbrokenRun(view.content, viewer) > limits.unbrokenRun) {
        view.failure = unbrokenRun(path, whatItIs, limits.unbrokenRun);
        view.content.clear();
        return view;
    }
    if (!whole || lineStart > 0) {
        view.heading = partShownHeading(path, whatItIs, view.content.size(), size);
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
    if (std::optional<Failure> failure = notARegularFile(path, whatItIs))
        return {std::nullopt, std::move(failure)};
    std::string content;
    if (auto fault = native::readFile(path, content))
        return {std::nullopt, becauseOf(cannotBeRead(path, whatItIs), *fault)};
    return {std::move(content), std::nullopt};
}

} // namespace calctutor
