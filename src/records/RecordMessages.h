#pragma once
// Every message of the record files to the student, worded in one place: the
// entries that could not be recorded, the viewers and the query conversion.
// Texts and paths are Windows-1252.

#include "records/Failure.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

// The sentence that tells a failure, from its fields:
//   "<doing> <path>: <reason>."        "The record file cannot be written: P: No space left on device."
//   "<what> <path> <doing>: <reason>." "The notes file P cannot be read: Permission denied."
//   "<what> <path> <reason>."          "The query file P is empty." (the tutor turned the file down)
std::string failureSentence(const Failure& failure);

// Files the intent record may not name, and entries too long to record.
Failure notOwnRecordFile(const std::string& path, const std::string& pendingPath);
Failure entryTooLong(const std::string& path, std::size_t bytes, std::size_t longest);
Failure cannotCreateInFolder(const std::string& path, const std::string& folder, const std::string& problem);
Failure intentKeptReplaced(const std::string& pendingPath);

// What the student hears about an entry a kill or a power cut left unfinished:
// notices, not failures, so they are whole messages.
std::string takenOutNotice(const std::vector<std::string>& cutPaths);
std::string intentNotUsedNotice(const std::string& pendingPath, const std::string& why, const std::string& keptPath);
std::string intentSharedNameNotice(const std::string& pendingPath, const std::string& why);
std::string leftAloneNotice(const std::vector<std::string>& left, const std::string& keptPath);
// One file left alone, for leftAloneNotice: "<path>, which ...".
std::string noBeginningThere(const std::string& path, std::uint64_t size, std::uint64_t sizeBefore);
std::string intentTooLongReason(std::uint64_t size, std::size_t longest);

// The kept draft of the answer box.
std::string draftNotKeptMessage(const Failure& failure);
std::string draftNotPutBackMessage(const Failure& failure);
std::string draftTooLongReason(std::uint64_t size, std::size_t longest);
std::string draftHoldsNulReason();

// Recording an entry.
std::string notRecordedMessage(std::string_view entry, const Failure& failure);
std::string tooLongToRecordMessage(std::string_view what, std::size_t characters, std::size_t longest);

// The viewers, and reading a whole file; whatItIs is "notes file", "query file", ...
// Reading the file, for becauseOf.
Failure cannotBeRead(const std::string& path, std::string_view whatItIs);
Failure nothingToShow(const std::string& path, std::string_view whatItIs);
Failure notAFile(const std::string& path, std::string_view whatItIs, const std::string& whatIsThere);
Failure linkNowhere(const std::string& path, std::string_view whatItIs, const std::string& target);
Failure linkToNotAFile(const std::string& path, std::string_view whatItIs, const std::string& target,
                       const std::string& whatIsThere);
Failure holdsNul(const std::string& path, std::string_view whatItIs);
Failure unbrokenRun(const std::string& path, std::string_view whatItIs, std::size_t longestRun);
std::string partShownHeading(const std::string& path, std::string_view whatItIs, std::uint64_t shown,
                             std::uint64_t size);

// The query conversion.
Failure nothingToConvert(const std::string& queryPath);
Failure emptyQuery(const std::string& queryPath);

} // namespace calctutor
