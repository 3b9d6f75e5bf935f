#pragma once
// Every message of the record files to the student, worded in one place: the
// entries that could not be recorded, the viewers and the query conversion.
// Texts and paths are Windows-1252.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

namespace native {
struct Fault;
}

// What the student can do about a failed entry, worded for its reason.
enum class Remedy {
    FixFolderOrFreeSpace, // the system refused a write: a full disk, a read-only folder, ...
    FixFolder,            // the folder itself is missing or cannot hold files
    ClearTheName,         // a folder, a link, a pipe or a second name stands where the file should be
    None,                 // pressing the button again cannot help
};

// A failure to record, for the student: which file, and the system's reason.
struct RecordError {
    std::string message;
    Remedy remedy = Remedy::FixFolderOrFreeSpace;
};

// "What was done path: reason." with the remedy that suits the reason.
RecordError recordFailure(const std::string& what, const std::string& path, const native::Fault& fault);

// Files the intent record may not name, and entries too long to record.
RecordError notOwnRecordFileError(const std::string& path, const std::string& pendingPath);
RecordError entryTooLongError(const std::string& path, std::size_t bytes, std::size_t longest);
RecordError folderProblemError(const std::string& path, const std::string& folder, const std::string& problem);
RecordError intentKeptReplacedError(const std::string& pendingPath);

// What the student hears about an entry a kill or a power cut left unfinished.
std::string takenOutNotice(const std::vector<std::string>& cutPaths);
std::string intentNotUsedNotice(const std::string& pendingPath, const std::string& why, const std::string& keptPath);
std::string intentSharedNameNotice(const std::string& pendingPath, const std::string& why);
std::string leftAloneNotice(const std::vector<std::string>& left, const std::string& keptPath);
// One file left alone, for leftAloneNotice: "<path>, which ...".
std::string noBeginningThere(const std::string& path, std::uint64_t size, std::uint64_t sizeBefore);
std::string intentTooLongReason(std::uint64_t size, std::size_t longest);

// The kept draft of the answer box.
std::string draftNotKeptMessage(const std::string& draftPath, const std::string& reason);
std::string draftNotPutBackMessage(const std::string& draftPath, const std::string& why);
std::string draftTooLongReason(std::uint64_t size, std::size_t longest);
std::string draftHoldsNulReason();

// Recording an entry.
std::string notRecordedMessage(std::string_view what, const RecordError& error);
std::string tooLongToRecordMessage(std::string_view what, std::size_t characters, std::size_t longest);

// The viewers, and reading a whole file; whatItIs is "notes file", "query file", ...
std::string cannotBeReadMessage(const std::string& path, std::string_view whatItIs, const std::string& reason);
std::string nothingToShowMessage(const std::string& path, std::string_view whatItIs);
std::string notAFileMessage(const std::string& path, std::string_view whatItIs, const std::string& whatIsThere);
std::string linkNowhereMessage(const std::string& path, std::string_view whatItIs, const std::string& target);
std::string linkToNotAFileMessage(const std::string& path, std::string_view whatItIs, const std::string& target,
                                  const std::string& whatIsThere);
std::string holdsNulMessage(const std::string& path, std::string_view whatItIs);
std::string unbrokenRunMessage(const std::string& path, std::string_view whatItIs, std::size_t longestRun);
std::string partShownHeading(const std::string& path, std::string_view whatItIs, std::uint64_t shown,
                             std::uint64_t size);

// The query conversion.
std::string nothingToConvertMessage(const std::string& queryPath);
std::string emptyQueryMessage(const std::string& queryPath);
std::string cannotWriteConvertedMessage(const std::string& outputPath, const std::string& reason);

} // namespace calctutor
