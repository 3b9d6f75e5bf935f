#include "records/RecordMessages.h"

#include "core/NumberText.h"

namespace calctutor {

namespace {

// How a viewer's message names its file: "The notes file".
std::string theFile(std::string_view whatItIs)
{
    return "The " + std::string(whatItIs);
}

std::string joined(const std::vector<std::string>& parts, std::string_view separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : std::string(separator)) + part;
    return text;
}

std::string_view remedyText(Remedy remedy)
{
    switch (remedy) {
    case Remedy::FixFolderOrFreeSpace:
        return " Your text is still in the answer box: fix the folder or free some space, then press the button "
               "again.";
    case Remedy::FixFolder:
        return " Your text is still in the answer box: fix the folder, then press the button again.";
    case Remedy::ClearTheName:
        return " Your text is still in the answer box: move or rename what stands in the file's place, then press "
               "the button again.";
    case Remedy::None: break;
    }
    return " Your text is still in the answer box.";
}

// "4.0 MB", "1.0 GB", "300.0 KB", "12 bytes".
std::string sizeText(std::uint64_t bytes)
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

} // namespace

std::string failureSentence(const Failure& failure)
{
    if (failure.what.empty())
        return failure.doing + " " + failure.path + ": " + failure.reason + ".";
    if (failure.doing.empty())
        return failure.what + " " + failure.path + " " + failure.reason + ".";
    return failure.what + " " + failure.path + " " + failure.doing + ": " + failure.reason + ".";
}

Failure notOwnRecordFile(const std::string& path, const std::string& pendingPath)
{
    return {.what = "The file",
            .path = path,
            .reason = "is not one of the record files that belong with " + pendingPath
                + ", so the tutor does not write to it"};
}

Failure entryTooLong(const std::string& path, std::size_t bytes, std::size_t longest)
{
    return {.what = "The entry for",
            .path = path,
            .reason = "is " + std::to_string(bytes) + " bytes long, more than the " + std::to_string(longest)
                + " bytes that the tutor records in one entry"};
}

Failure cannotCreateInFolder(const std::string& path, const std::string& folder, const std::string& problem)
{
    return {.what = "The record file",
            .doing = "cannot be created in the folder " + folder,
            .path = path,
            .reason = problem,
            .remedy = Remedy::FixFolder};
}

Failure intentKeptReplaced(const std::string& pendingPath)
{
    return {.what = "The record of entries in progress",
            .path = pendingPath,
            .reason = "was replaced again and again while the tutor opened it; close other tutors and try again"};
}

std::string takenOutNotice(const std::vector<std::string>& cutPaths)
{
    return "The tutor was stopped while it was recording an entry (the program was closed or the computer "
           "stopped), so that unfinished entry was taken out of your record "
        + std::string(cutPaths.size() == 1 ? "file " : "files ") + joined(cutPaths, ", ")
        + ". Every entry recorded before it is kept.";
}

std::string intentNotUsedNotice(const std::string& pendingPath, const std::string& why, const std::string& keptPath)
{
    return "The tutor's record of an entry in progress, " + pendingPath + ", was not used: " + why + ". It was renamed "
        + keptPath + ", and nothing in your record files was changed.";
}

std::string intentSharedNameNotice(const std::string& pendingPath, const std::string& why)
{
    return "The tutor's record of an entry in progress, " + pendingPath + ", was not used: " + why
        + ". That name was removed; the file keeps its other names, and nothing in your record files was changed.";
}

std::string leftAloneNotice(const std::vector<std::string>& left, const std::string& keptPath)
{
    return "The tutor was stopped while it was recording an entry, and found something other than a beginning of "
           "that entry at the end of "
        + joined(left, "; ")
        + ". It changed nothing there: look at the end of that file and remove any part of the unfinished entry by "
          "hand. The record of that entry was renamed "
        + keptPath + ".";
}

std::string noBeginningThere(const std::string& path, std::uint64_t size, std::uint64_t sizeBefore)
{
    return path + ", which is " + std::to_string(size)
        + " bytes long and does not hold a beginning of that entry after its first " + std::to_string(sizeBefore)
        + " bytes";
}

std::string intentTooLongReason(std::uint64_t size, std::size_t longest)
{
    return "it is " + std::to_string(size) + " bytes long, more than the " + std::to_string(longest)
        + " bytes of the largest record the tutor writes";
}

std::string draftNotKeptMessage(const Failure& failure)
{
    return failureSentence(failure) + " It is still in the answer box; record it or save it as a note soon.";
}

// Told at start-up, so it begins with what was found rather than with what failed.
std::string draftNotPutBackMessage(const Failure& failure)
{
    return "An answer that you had typed but not recorded was kept in " + failure.path + ", but it was not "
        + failure.doing + ": " + failure.reason + ".";
}

std::string draftTooLongReason(std::uint64_t size, std::size_t longest)
{
    return "it is " + std::to_string(size) + " bytes long, more than the " + std::to_string(longest)
        + " bytes that the answer box takes. Open it in a text editor to copy what you need";
}

std::string draftHoldsNulReason()
{
    return "it holds NUL bytes, so it is not text the tutor wrote";
}

std::string notRecordedMessage(std::string_view entry, const Failure& failure)
{
    return std::string(entry) + " was not recorded. " + failureSentence(failure)
        + std::string(remedyText(failure.remedy));
}

std::string tooLongToRecordMessage(std::string_view what, std::size_t characters, std::size_t longest)
{
    return std::string(what) + " was not recorded: it has " + std::to_string(characters)
        + " characters, and the tutor records at most " + std::to_string(longest)
        + " in one entry. Your text is still in the answer box: shorten it, or record it in parts.";
}

Failure cannotBeRead(const std::string& path, std::string_view whatItIs)
{
    return {.what = theFile(whatItIs), .doing = "cannot be read", .path = path};
}

Failure nothingToShow(const std::string& path, std::string_view whatItIs)
{
    return {
        .what = "There is nothing to show yet: the " + std::string(whatItIs), .path = path, .reason = "does not exist"};
}

Failure notAFile(const std::string& path, std::string_view whatItIs, const std::string& whatIsThere)
{
    return {.what = theFile(whatItIs), .path = path, .reason = "is " + whatIsThere + ", not a file"};
}

Failure linkNowhere(const std::string& path, std::string_view whatItIs, const std::string& target)
{
    return {.what = theFile(whatItIs),
            .path = path,
            .reason = "is a link that points nowhere: " + target + " does not exist"};
}

Failure linkToNotAFile(const std::string& path, std::string_view whatItIs, const std::string& target,
                       const std::string& whatIsThere)
{
    return {.what = theFile(whatItIs),
            .path = path,
            .reason = "is a link to " + target + ", which is " + whatIsThere + ", not a file"};
}

Failure holdsNul(const std::string& path, std::string_view whatItIs)
{
    return {.what = theFile(whatItIs),
            .path = path,
            .reason = "holds NUL bytes, so it is not a text file; it is not shown"};
}

Failure unbrokenRun(const std::string& path, std::string_view whatItIs, std::size_t longestRun)
{
    return {.what = theFile(whatItIs),
            .path = path,
            .reason = "holds more than " + std::to_string(longestRun)
                + " characters in a row without a space or a line end; the question box would take too long to lay "
                  "them out, so it is not shown"};
}

std::string partShownHeading(const std::string& path, std::string_view whatItIs, std::uint64_t shown,
                             std::uint64_t size)
{
    return "The " + std::string(whatItIs) + " is too large to show whole: shown below are its last " + sizeText(shown)
        + " of " + sizeText(size) + ". The whole file is " + path;
}

Failure nothingToConvert(const std::string& queryPath)
{
    return {.what = "There is nothing to convert: the query file", .path = queryPath, .reason = "does not exist"};
}

Failure emptyQuery(const std::string& queryPath)
{
    return {.what = "The query file", .path = queryPath, .reason = "is empty"};
}

} // namespace calctutor
