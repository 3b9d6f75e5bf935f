#pragma once
// A failure the student is told about, as data: how the message names the
// file, what was being done, the path and the reason. The messages module of
// each layer words it (failureSentence in RecordMessages.h), so a fault site
// never builds a sentence. Texts are Windows-1252.

#include <string>

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

struct Failure {
    // How the message names the file before its path ("The notes file"); empty
    // when what was being done comes first.
    std::string what{};
    // What was being done, as the message says it: after the path when `what`
    // names the file ("cannot be read"), else before it ("The record file cannot
    // be written:"). Empty when the tutor itself turned the file down.
    std::string doing{};
    std::string path{};           // as the student typed it
    std::string reason{};         // the system's words, or the tutor's own; no final period
    Remedy remedy = Remedy::None; // for a failed entry
};

// The one place where the system's fault becomes a Failure: the failure named
// by the rest of its fields gets the fault's reason and the remedy its kind
// calls for. becauseOf({.doing = "The record file cannot be written:", .path = path}, fault)
Failure becauseOf(Failure failure, const native::Fault& fault);

} // namespace calctutor
