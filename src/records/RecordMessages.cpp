#include "records/RecordMessages.h"

#include "core/NumberText.h"
#include "platform/NativeFiles.h"

namespace calctutor {

namespace {

std::string named(const std::string& path, std::string_view whatItIs)
{
    return "The " + std::string(whatItIs) + " " + path;
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

RecordError recordFailure(const std::string& what, const std::string& path, const native::Fault& fault)
{
    return {what + " " + path + ": " + fault.reason + ".",
            fault.notPlainFile ? Remedy::ClearTheName : Remedy::FixFolderOrFreeSpace};
}

RecordError notOwnRecordFileError(const std::string& path, const std::string& pendingPath)
{
    return {"The file " + path + " is not one of the record files that belong with " + pendingPath
                + ", so the tutor does not write to it.",
            Remedy::None};
}

RecordError entryTooLongError(const std::string& path, std::size_t bytes, std::size_t longest)
{
    return {"The entry for " + path + " is " + std::to_string(bytes) + " bytes long, more than the "
                + std::to_string(longest) + " bytes that the tutor records in one entry.",
            Remedy::None};
}

RecordError folderProblemError(const std::string& path, const std::string& folder, const std::string& problem)
{
    return {"The record file " + path + " cannot be created in the folder " + folder + ": " + problem + ".",
            Remedy::FixFolder};
}

RecordError intentKeptReplacedError(const std::string& pendingPath)
{
    return {"The record of entries in progress " + pendingPath
                + " was replaced again and again while the tutor opened it; close other tutors and try again.",
            Remedy::None};
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

std::string draftNotKeptMessage(const std::string& draftPath, const std::string& reason)
{
    return "The answer you are typing cannot be kept safe in " + draftPath + ": " + reason
        + ". It is still in the answer box; record it or save it as a note soon.";
}

std::string draftNotPutBackMessage(const std::string& draftPath, const std::string& why)
{
    return "An answer that you had typed but not recorded was kept in " + draftPath
        + ", but it was not put back in the answer box: " + why + ".";
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

std::string notRecordedMessage(std::string_view what, const RecordError& error)
{
    return std::string(what) + " was not recorded. " + error.message + std::string(remedyText(error.remedy));
}

std::string tooLongToRecordMessage(std::string_view what, std::size_t characters, std::size_t longest)
{
    return std::string(what) + " was not recorded: it has " + std::to_string(characters)
        + " characters, and the tutor records at most " + std::to_string(longest)
        + " in one entry. Your text is still in the answer box: shorten it, or record it in parts.";
}

std::string cannotBeReadMessage(const std::string& path, std::string_view whatItIs, const std::string& reason)
{
    return named(path, whatItIs) + " cannot be read: " + reason + ".";
}

std::string nothingToShowMessage(const std::string& path, std::string_view whatItIs)
{
    return "There is nothing to show yet: the " + std::string(whatItIs) + " " + path + " does not exist.";
}

std::string notAFileMessage(const std::string& path, std::string_view whatItIs, const std::string& whatIsThere)
{
    return named(path, whatItIs) + " is " + whatIsThere + ", not a file.";
}

std::string linkNowhereMessage(const std::string& path, std::string_view whatItIs, const std::string& target)
{
    return named(path, whatItIs) + " is a link that points nowhere: " + target + " does not exist.";
}

std::string linkToNotAFileMessage(const std::string& path, std::string_view whatItIs, const std::string& target,
                                  const std::string& whatIsThere)
{
    return named(path, whatItIs) + " is a link to " + target + ", which is " + whatIsThere + ", not a file.";
}

std::string holdsNulMessage(const std::string& path, std::string_view whatItIs)
{
    return named(path, whatItIs) + " holds NUL bytes, so it is not a text file; it is not shown.";
}

std::string unbrokenRunMessage(const std::string& path, std::string_view whatItIs, std::size_t longestRun)
{
    return named(path, whatItIs) + " holds more than " + std::to_string(longestRun)
        + " characters in a row without a space or a line end; the question box would take too long to lay them "
          "out, so it is not shown.";
}

std::string partShownHeading(const std::string& path, std::string_view whatItIs, std::uint64_t shown,
                             std::uint64_t size)
{
    return "The " + std::string(whatItIs) + " is too large to show whole: shown below are its last " + sizeText(shown)
        + " of " + sizeText(size) + ". The whole file is " + path;
}

std::string nothingToConvertMessage(const std::string& queryPath)
{
    return "There is nothing to convert: the query file " + queryPath + " does not exist.";
}

std::string emptyQueryMessage(const std::string& queryPath)
{
    return "The query file " + queryPath + " is empty.";
}

std::string cannotWriteConvertedMessage(const std::string& outputPath, const std::string& reason)
{
    return "The converted file " + outputPath + " cannot be written: " + reason + ".";
}

} // namespace calctutor
