#pragma once
// Appending entries to the student's record files, whole or not at all, even
// across two tutors, a kill or a power cut. The files are opened when the
// student presses the button, so a file that cannot be written is reported
// before the rating box; everything else happens at commit, under a lock:
// the sizes are measured, an intent record names the files (by name, beside
// it), their sizes and the texts, the texts are appended and flushed to
// disk, and the intent record is cleared. A failure cuts back only the bytes
// this entry wrote. An intent record left by a kill is undone at the next
// start or commit (IntentRepair.h).

#include "records/Failure.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace calctutor {

// The files of one entry, opened and waiting for their text.
class OpenedEntry {
public:
    virtual ~OpenedEntry() = default;
    // texts[i] goes to the i-th file opened; nothing is written on failure.
    [[nodiscard]] virtual std::optional<Failure> commit(const std::vector<std::string>& texts) = 0;
    // After commit: what the student should hear about an interrupted entry
    // that had to be undone first, if there was one; a notice, not a failure.
    virtual std::optional<std::string> repairNotice() const = 0;
};

class RecordFiles {
public:
    virtual ~RecordFiles() = default;
    struct Opened {
        std::unique_ptr<OpenedEntry> entry; // null when opening failed
        std::optional<Failure> failure;
    };
    // Paths are Windows-1252 texts. Files that do not exist are created.
    // pendingPath is the student's intent record, beside the files.
    [[nodiscard]] virtual Opened open(const std::string& pendingPath, const std::vector<std::string>& paths) = 0;

    struct Repair {
        std::optional<std::string> notice; // for the student, when an entry was undone; not a failure
        std::optional<Failure> failure;    // the interrupted entry could not be undone
    };
    // Undoes an entry that a kill or a power cut interrupted, if any.
    [[nodiscard]] virtual Repair repair(const std::string& pendingPath) = 0;
};

// The real files, through the platform's file calls.
class DiskRecordFiles final : public RecordFiles {
public:
    enum class Flushing {
        // Every entry is on disk before its commit returns, so it outlasts a
        // power cut. The tutor always writes this way.
        EveryEntry,
        // The same appends, locks and intent record, without the flushes: an
        // entry is still whole after a kill, but a power cut may lose it. For
        // writing a generated class of thousands of entries, where each flush
        // would cost milliseconds and a lost class is simply written again.
        LeftToSystem,
    };
    explicit DiskRecordFiles(Flushing flushing = Flushing::EveryEntry) : m_flushing(flushing) {}

    [[nodiscard]] Opened open(const std::string& pendingPath, const std::vector<std::string>& paths) override;
    [[nodiscard]] Repair repair(const std::string& pendingPath) override;

private:
    Flushing m_flushing;
};

// Appends one entry to the files: open, then commit.
[[nodiscard]] std::optional<Failure> appendEntry(RecordFiles& files, const std::string& pendingPath,
                                                 const std::vector<std::string>& paths,
                                                 const std::vector<std::string>& texts);

} // namespace calctutor
