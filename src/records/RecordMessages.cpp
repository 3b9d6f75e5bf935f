#include "records/RecordMessages.h"

#include "core/NumberText.h"
#include "platform/NativeFiles.h"

namespace calctutor {

namespace {

std::string named(const std::string& path, std::string_view whatItIs)
{
    return "The " + std::string(whatItIs) + " " + path;
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
