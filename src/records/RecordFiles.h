#pragma once
// Appending entries to the student's record files, all or nothing. Every file
// an entry goes to is opened first; then each file gets its whole entry in one
// write on a file opened for appending (so two tutors never interleave lines),
// is flushed to stable storage and closed. If anything fails, every file is
// cut back to its size before the entry and a message says what went wrong.
// Record files are never truncated below what they held, and never rewritten.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace calctutor {

// A message for the student: which file, and the system's reason.
struct RecordError {
    std::string message;
};

// The files of one entry, opened and waiting for their text.
class PendingAppend {
public:
    virtual ~PendingAppend() = default;
    // texts[i] goes to the i-th file opened; nothing is written on failure.
    [[nodiscard]] virtual std::optional<RecordError> commit(const std::vector<std::string>& texts) = 0;
};

class RecordFiles {
public:
    virtual ~RecordFiles() = default;
    struct Opened {
        std::unique_ptr<PendingAppend> pending; // null when opening failed
        RecordError error;
    };
    // Paths are Windows-1252 texts. Files that do not exist are created.
    [[nodiscard]] virtual Opened open(const std::vector<std::string>& paths) = 0;
};

// The real files, through POSIX calls.
class DiskRecordFiles final : public RecordFiles {
public:
    [[nodiscard]] Opened open(const std::vector<std::string>& paths) override;
};

// Appends one entry to the files: open, then commit.
[[nodiscard]] std::optional<RecordError> appendEntry(RecordFiles& files, const std::vector<std::string>& paths,
                                                     const std::vector<std::string>& texts);

} // namespace calctutor
