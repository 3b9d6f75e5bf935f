#include "records/IntentRecord.h"

#include "records/EntryLimits.h"

#include <algorithm>
#include <charconv>

namespace calctutor {

namespace {

constexpr std::string_view kFirstLine = "calctutor entry in progress, names and bytes\n";
// Earlier versions named whole paths and sizes only: such a record is never applied.
constexpr std::string_view kEarlierFirstLine = "calctutor entry in progress\n";
constexpr std::string_view kLastLine = "end\n";
constexpr std::size_t kLongestNumber = 20; // 2^64 in decimal
constexpr std::size_t kLongestName = 1024; // far beyond any file system's names

using Kind = ParsedIntent::Kind;

ParsedIntent damaged(std::string problem)
{
    return {Kind::Damaged, {}, std::move(problem)};
}

ParsedIntent torn()
{
    return {Kind::Torn, {}, {}};
}

constexpr std::string_view kUnreadable = "it cannot be read as a record of an entry in progress";

// Reads "<digits> " from the front of text; Torn when the text ends first.
std::optional<ParsedIntent> takeNumber(std::string_view& text, std::uint64_t& value)
{
    const std::size_t space = text.find(' ');
    const std::string_view digits = text.substr(0, std::min(space, text.size()));
    if (digits.empty() && space != std::string_view::npos)
        return damaged(std::string(kUnreadable));
    if (digits.size() > kLongestNumber || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return damaged(std::string(kUnreadable));
    if (space == std::string_view::npos)
        return torn();
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        return damaged(std::string(kUnreadable));
    text.remove_prefix(space + 1);
    return std::nullopt;
}

} // namespace

std::string formatIntent(const std::vector<IntentFile>& files)
{
    std::string text(kFirstLine);
    for (const IntentFile& file : files) {
        text += std::to_string(file.sizeBefore) + " " + std::to_string(file.bytes.size()) + " " + file.name + "\n";
        text += file.bytes;
        text += "\n";
    }
    return text.append(kLastLine);
}

ParsedIntent parseIntent(std::string_view text, const std::function<bool(std::string_view)>& isOwnFile)
{
    if (text.empty())
        return {};
    if (text.starts_with(kEarlierFirstLine))
        return damaged("it was written by an earlier version of the tutor, which named files by their whole paths");
    if (text.size() < kFirstLine.size())
        return kFirstLine.starts_with(text) ? torn() : damaged(std::string(kUnreadable));
    if (!text.starts_with(kFirstLine))
        return damaged(std::string(kUnreadable));
    text.remove_prefix(kFirstLine.size());
    ParsedIntent parsed{Kind::Whole, {}, {}};
    for (;;) {
        if (text == kLastLine)
            return parsed;
        if (text.size() < kLastLine.size() && kLastLine.starts_with(text))
            return torn();
        if (parsed.files.size() == kMostFilesPerEntry)
            return damaged("it names more files than an entry goes to");
        IntentFile file;
        std::uint64_t length = 0;
        if (auto stop = takeNumber(text, file.sizeBefore))
            return *stop;
        if (auto stop = takeNumber(text, length))
            return *stop;
        if (length > kLongestEntry)
            return damaged("it claims an entry of " + std::to_string(length) + " bytes, more than the "
                           + std::to_string(kLongestEntry) + " bytes of the longest entry the tutor writes");
        const std::size_t lineEnd = text.find('\n');
        const std::string_view name = text.substr(0, std::min(lineEnd, std::min(text.size(), kLongestName + 1)));
        if (lineEnd == std::string_view::npos && name.size() <= kLongestName)
            return torn();
        if (name.size() > kLongestName)
            return damaged(std::string(kUnreadable));
        const bool named = std::any_of(parsed.files.begin(), parsed.files.end(),
                                       [&](const IntentFile& other) { return other.name == name; });
        if (!isOwnFile(name) || named)
            return damaged("it names " + std::string(name) + ", which is not one of your record files");
        file.name = std::string(name);
        text.remove_prefix(lineEnd + 1);
        if (text.size() <= length)
            return torn();
        if (text[length] != '\n')
            return damaged(std::string(kUnreadable));
        file.bytes = std::string(text.substr(0, length));
        text.remove_prefix(length + 1);
        parsed.files.push_back(std::move(file));
    }
}

std::uint64_t longestIntent()
{
    const std::uint64_t fileLine = 2 * (kLongestNumber + 1) + kLongestName + 1;
    return kFirstLine.size() + kMostFilesPerEntry * (fileLine + kLongestEntry + 1) + kLastLine.size();
}

std::optional<native::Fault> traceEntry(const native::File& file, const IntentFile& intent, Trace& into)
{
    into = {};
    if (auto fault = file.size(into.size))
        return fault;
    if (into.size == intent.sizeBefore)
        return std::nullopt;
    into.kind = EntryTrace::Other;
    if (into.size < intent.sizeBefore || into.size - intent.sizeBefore > intent.bytes.size())
        return std::nullopt;
    std::string after;
    if (auto fault = file.readAt(intent.sizeBefore, static_cast<std::size_t>(into.size - intent.sizeBefore), after))
        return fault;
    if (std::string_view(intent.bytes).starts_with(after) && after.size() == into.size - intent.sizeBefore)
        into.kind = EntryTrace::Beginning;
    return std::nullopt;
}

std::optional<native::Fault> takeOut(native::File& file, const IntentFile& intent, Trace& trace)
{
    if (auto fault = traceEntry(file, intent, trace))
        return fault;
    if (trace.kind != EntryTrace::Beginning)
        return std::nullopt;
    if (auto fault = file.truncate(intent.sizeBefore))
        return fault;
    return file.sync();
}

} // namespace calctutor
