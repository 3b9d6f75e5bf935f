#include "records/RecordFileNames.h"

#include "platform/NativeFiles.h"

#include <algorithm>
#include <cctype>

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

bool isRecordFileOf(std::string_view pendingName, std::string_view fileName)
{
    constexpr std::string_view kPendingPrefix = ".pending_";
    constexpr std::string_view kEnding = ".txt";
    if (!pendingName.starts_with(kPendingPrefix) || !pendingName.ends_with(kEnding))
        return false;
    const std::string_view name = pendingName.substr(kPendingPrefix.size(),
                                                     pendingName.size() - kPendingPrefix.size() - kEnding.size());
    const RecordFileNames own = recordFileNames("", "00-00");
    auto isNamed = [&](std::string_view prefix, std::size_t digits) {
        if (fileName.size() != prefix.size() + digits + name.size() + kEnding.size() || !fileName.starts_with(prefix)
            || !fileName.ends_with(kEnding) || fileName.substr(prefix.size() + digits, name.size()) != name)
            return false;
        const std::string_view monthDay = fileName.substr(prefix.size(), digits);
        return std::all_of(monthDay.begin(), monthDay.end(),
                           [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
    };
    // The empty name's files show the prefixes: "masterFile_.txt", "send_0000.txt", "notes_.txt".
    auto prefixOf = [&](const std::string& file, std::size_t digits) {
        return std::string_view(file).substr(0, file.size() - kEnding.size() - digits);
    };
    return isNamed(prefixOf(own.master, 0), 0) || isNamed(prefixOf(own.notes, 0), 0)
        || isNamed(prefixOf(own.send, 4), 4);
}

std::string keptIntentFileName(std::string_view pendingName, int number)
{
    return std::string(pendingName) + ".kept" + (number > 1 ? std::to_string(number) : std::string());
}

std::vector<std::string> allFileNames(std::string_view studentName, std::string_view date)
{
    const RecordFileNames names = recordFileNames(studentName, date);
    // The draft is written as a copy beside it first, under a longer name.
    const std::string draft = draftFileName(studentName, "000");
    std::vector<std::string> all = {names.master,  draft + std::string(native::kReplacementSuffix),
                                    draft,         keptIntentFileName(names.pending, kMostKeptIntents),
                                    names.pending, names.send,
                                    names.notes};
    std::stable_sort(all.begin(), all.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return all;
}

} // namespace calctutor
