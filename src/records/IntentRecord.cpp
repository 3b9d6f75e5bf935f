#include "records/IntentRecord.h"

#include <charconv>

namespace calctutor {

namespace {

constexpr std::string_view kFirstLine = "calctutor entry in progress\n";
constexpr std::string_view kLastLine = "end\n";

std::optional<std::uint64_t> takeNumber(std::string_view& text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() + text.size() || *end != ' ')
        return std::nullopt;
    text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
    return value;
}

} // namespace

std::string formatIntent(const std::vector<IntentFile>& files)
{
    std::string text(kFirstLine);
    for (const IntentFile& file : files)
        text += std::to_string(file.sizeBefore) + " " + std::to_string(file.length) + " " + file.path + "\n";
    return text.append(kLastLine);
}

std::optional<std::vector<IntentFile>> parseIntent(std::string_view text)
{
    if (!text.starts_with(kFirstLine) || !text.ends_with(kLastLine))
        return std::nullopt;
    text.remove_prefix(kFirstLine.size());
    text.remove_suffix(kLastLine.size());
    std::vector<IntentFile> files;
    while (!text.empty()) {
        const std::size_t lineEnd = text.find('\n');
        if (lineEnd == std::string_view::npos)
            return std::nullopt;
        std::string_view line = text.substr(0, lineEnd);
        text.remove_prefix(lineEnd + 1);
        IntentFile file;
        const std::optional<std::uint64_t> sizeBefore = takeNumber(line);
        const std::optional<std::uint64_t> length = sizeBefore ? takeNumber(line) : std::nullopt;
        if (!length || line.empty())
            return std::nullopt;
        files.push_back({std::string(line), *sizeBefore, *length});
    }
    return files;
}

std::optional<native::Fault> cutBack(native::File& file, const IntentFile& intent, bool& cut)
{
    cut = false;
    std::uint64_t size = 0;
    if (auto fault = file.size(size))
        return fault;
    if (size <= intent.sizeBefore || size > intent.sizeBefore + intent.length)
        return std::nullopt;
    if (auto fault = file.truncate(intent.sizeBefore))
        return fault;
    cut = true;
    return file.sync();
}

std::optional<CutBackFailure> cutBackAll(const std::vector<IntentFile>& files, std::vector<std::string>& cutPaths)
{
    std::optional<CutBackFailure> first;
    for (const IntentFile& intent : files) {
        if (native::inspect(intent.path).kind == native::PathKind::Missing)
            continue;
        native::File file;
        std::optional<native::Fault> fault = native::File::open(intent.path, native::File::Mode::Append, file);
        bool cut = false;
        if (!fault)
            fault = cutBack(file, intent, cut);
        if (cut)
            cutPaths.push_back(intent.path);
        if (fault && !first)
            first = CutBackFailure{intent.path, *fault};
    }
    return first;
}

} // namespace calctutor
