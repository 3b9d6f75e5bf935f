#pragma once
// The record of an entry in progress: before an entry is appended, the files
// it goes to and their sizes are written here and flushed, and the record is
// emptied once every file holds the whole entry. A record that is still there
// afterwards belongs to an entry that a kill or a power cut interrupted, and
// cutting each file back to its size undoes it.

#include "platform/NativeFiles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

struct IntentFile {
    std::string path;             // Windows-1252, as the student's files are named
    std::uint64_t sizeBefore = 0; // the file's size before the entry
    std::uint64_t length = 0;     // the bytes the entry adds
};

std::string formatIntent(const std::vector<IntentFile>& files);
// Nothing when the record is empty or torn: a record cut short was being
// written when the tutor stopped, before anything was appended.
std::optional<std::vector<IntentFile>> parseIntent(std::string_view text);

// Cuts the file back to its size before the entry, but only while it still
// ends with no more than the entry's bytes: anything else there is not this
// entry's to remove.
// Sets cut when it removed anything.
[[nodiscard]] std::optional<native::Fault> cutBack(native::File& file, const IntentFile& intent, bool& cut);

// Opens each listed file and cuts it back; missing files are passed over.
// The paths of the files it cut are added to cutPaths; the first failure
// comes back with the file's path.
struct CutBackFailure {
    std::string path;
    native::Fault fault;
};
[[nodiscard]] std::optional<CutBackFailure> cutBackAll(const std::vector<IntentFile>& files,
                                                       std::vector<std::string>& cutPaths);

} // namespace calctutor
