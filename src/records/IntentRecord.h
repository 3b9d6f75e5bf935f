#pragma once
// The record of an entry in progress: before an entry is appended, each file
// it goes to is written here by its name in the record's own folder, with its
// size and the very bytes the entry appends to it; the record is flushed,
// and emptied once every file holds the whole entry. A record that is still
// there afterwards belongs to an entry that a kill or a power cut
// interrupted. Such an entry is taken out of a file only where the bytes
// after the recorded size are exactly a beginning of the entry.

#include "platform/NativeFiles.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

struct IntentFile {
    std::string name;             // a file name in the record's folder, never a path
    std::uint64_t sizeBefore = 0; // the file's size before the entry
    std::string bytes;            // what the entry appends to the file
};

std::string formatIntent(const std::vector<IntentFile>& files);

struct ParsedIntent {
    enum class Kind {
        Empty,   // no entry in progress
        Torn,    // a beginning of a record: the tutor stopped while writing it, before any append
        Whole,   // a whole record: files holds it
        Damaged, // not a record the tutor writes: problem says why
    };
    Kind kind = Kind::Empty;
    std::vector<IntentFile> files;
    std::string problem; // "it names ../x.txt, which is not one of your record files"
};
// isOwnFile says which file names a record may name.
ParsedIntent parseIntent(std::string_view text, const std::function<bool(std::string_view)>& isOwnFile);

// The largest record the tutor writes: anything larger is not its own.
std::uint64_t longestIntent();

// What a file holds after the size recorded before the entry.
enum class EntryTrace {
    Nothing,   // no byte of the entry: the file is as it was
    Beginning, // a beginning of the entry, or the whole of it, and nothing else
    Other,     // something else, or the file is shorter than before
};
struct Trace {
    EntryTrace kind = EntryTrace::Nothing;
    std::uint64_t size = 0; // the file's size now
};
[[nodiscard]] std::optional<native::Fault> traceEntry(const native::File& file, const IntentFile& intent, Trace& into);

// Cuts the file back to its size before the entry when it holds a beginning
// of the entry; anything else there is not this entry's to remove. Sets trace.
[[nodiscard]] std::optional<native::Fault> takeOut(native::File& file, const IntentFile& intent, Trace& trace);

} // namespace calctutor
