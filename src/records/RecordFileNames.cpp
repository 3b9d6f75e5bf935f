#include "records/RecordFileNames.h"

#include <algorithm>
#include <array>

namespace calctutor {

std::string fileNamePart(std::string_view studentName)
{
    std::string name(studentName);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

RecordFileNames recordFileNames(std::string_view studentName, std::string_view date)
{
    const std::string name = fileNamePart(studentName);
    const std::string monthDay = std::string(date.substr(0, 2)) + std::string(date.substr(3, 2));
    return {"masterFile_" + name + ".txt", "send_" + monthDay + name + ".txt", "notes_" + name + ".txt",
            ".pending_" + name + ".txt"};
}

std::string draftFileName(std::string_view studentName, std::string_view assignmentNumber)
{
    return ".draft_" + fileNamePart(studentName) + "_" + std::string(assignmentNumber) + ".txt";
}

std::vector<std::string> allFileNames(std::string_view studentName, std::string_view date)
{
    const RecordFileNames names = recordFileNames(studentName, date);
    std::vector<std::string> all = {names.master, draftFileName(studentName, "000"), names.pending, names.send,
                                    names.notes};
    std::stable_sort(all.begin(), all.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return all;
}

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The name without ".txt" (any case) and without a copy's " (N)" or "(N)".
std::optional<std::string_view> stemOf(std::string_view fileName)
{
    constexpr std::string_view kExtension = ".txt";
    if (fileName.size() < kExtension.size())
        return std::nullopt;
    std::string_view stem = fileName.substr(0, fileName.size() - kExtension.size());
    const std::string_view extension = fileName.substr(stem.size());
    for (std::size_t i = 0; i < kExtension.size(); ++i) {
        if (static_cast<char>(extension[i] | 0x20) != kExtension[i])
            return std::nullopt;
    }
    if (stem.ends_with(')')) {
        const std::size_t open = stem.rfind('(');
        if (open != std::string_view::npos && open + 2 < stem.size()) {
            const std::string_view digits = stem.substr(open + 1, stem.size() - open - 2);
            if (std::all_of(digits.begin(), digits.end(), isDigit)) {
                stem = stem.substr(0, open);
                if (stem.ends_with(' '))
                    stem.remove_suffix(1);
            }
        }
    }
    return stem;
}

bool isMonthDay(std::string_view text)
{
    if (text.size() < 4 || !std::all_of(text.begin(), text.begin() + 4, isDigit))
        return false;
    const int month = (text[0] - '0') * 10 + (text[1] - '0');
    const int day = (text[2] - '0') * 10 + (text[3] - '0');
    return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace

std::optional<RecognisedRecordFile> recogniseRecordFileName(std::string_view fileName)
{
    if (fileName.empty() || fileName.front() == '.')
        return std::nullopt;
    const std::optional<std::string_view> stem = stemOf(fileName);
    if (!stem)
        return std::nullopt;
    using Kind = RecognisedRecordFile::Kind;
    constexpr std::array<std::pair<std::string_view, Kind>, 3> kPrefixes = {
        {{"masterFile_", Kind::Master}, {"send_", Kind::Send}, {"notes_", Kind::Notes}}};
    // The leftmost pattern wins; a prefix added by a mail program comes before it.
    for (std::size_t at = 0; at < stem->size(); ++at) {
        for (const auto& [prefix, kind] : kPrefixes) {
            if (stem->substr(at, prefix.size()) != prefix)
                continue;
            std::string_view rest = stem->substr(at + prefix.size());
            RecognisedRecordFile file{kind, {}, {}};
            if (kind == Kind::Send) {
                if (!isMonthDay(rest))
                    continue;
                file.monthDay = std::string(rest.substr(0, 4));
                rest.remove_prefix(4);
            }
            file.namePart = std::string(rest);
            return file;
        }
    }
    return std::nullopt;
}

std::string studentNameOf(std::string_view namePart)
{
    std::string name(namePart);
    std::replace(name.begin(), name.end(), '_', ' ');
    return name;
}

} // namespace calctutor
