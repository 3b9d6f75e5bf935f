#include "records/RecordFiles.h"

#include "platform/NativeFiles.h"
#include "records/EntryLimits.h"
#include "records/IntentRecord.h"
#include "records/IntentRepair.h"
#include "records/RecordFileNames.h"
#include "records/RecordMessages.h"

#include <utility>

namespace calctutor {

namespace {

// The notices of a repair, as one message.
std::optional<std::string> joinedNotices(const std::vector<std::string>& notices)
{
    if (notices.empty())
        return std::nullopt;
    std::string text;
    for (const std::string& notice : notices)
        text += (text.empty() ? "" : " ") + notice;
    return text;
}

// The intent record names files by name within its own folder, and only the
// student's own record files; an entry to any other file is not written.
std::optional<Failure> unnamedFile(const std::string& pendingPath, const std::string& path)
{
    const bool beside = native::parentFolder(path) == native::parentFolder(pendingPath);
    if (beside && isRecordFileOf(native::fileNameOf(pendingPath), native::fileNameOf(path)))
        return std::nullopt;
    return notOwnRecordFile(path, pendingPath);
}

class DiskOpenedEntry final : public OpenedEntry {
public:
    DiskOpenedEntry(std::string pendingPath, std::vector<std::string> paths, std::vector<native::File> files,
                    bool flush)
        : m_pendingPath(std::move(pendingPath)), m_paths(std::move(paths)), m_files(std::move(files)), m_flush(flush)
    {
    }

    std::optional<Failure> commit(const std::vector<std::string>& texts) override
    {
        for (const std::string& path : m_paths) {
            if (auto error = unnamedFile(m_pendingPath, path))
                return error;
        }
        for (std::size_t i = 0; i < m_paths.size() && i < texts.size(); ++i) {
            if (texts[i].size() > kLongestEntry)
                return entryTooLong(m_paths[i], texts[i].size(), kLongestEntry);
        }
        native::File intent;
        std::vector<std::string> notices;
        std::optional<Failure> locked = lockIntentRecord(m_pendingPath, intent, notices, m_flush);
        m_notice = joinedNotices(notices);
        if (locked)
            return locked;

        std::vector<IntentFile> plan;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            IntentFile file{native::fileNameOf(m_paths[i]), 0, i < texts.size() ? texts[i] : std::string()};
            std::optional<native::Fault> fault = m_files[i].lock();
            if (!fault)
                fault = m_files[i].size(file.sizeBefore);
            if (fault)
                return becauseOf({.doing = "The record file cannot be locked:", .path = m_paths[i]}, *fault);
            plan.push_back(std::move(file));
        }
        std::optional<native::Fault> fault = intent.overwrite(formatIntent(plan));
        if (!fault && m_flush)
            fault = intent.sync();
        if (fault) {
            (void)clearIntentRecord(intent, m_pendingPath, m_flush);
            return becauseOf({.doing = "The record of entries in progress cannot be written:", .path = m_pendingPath},
                             *fault);
        }

        std::optional<Failure> error = appendAll(texts);
        if (!error)
            error = clearIntentRecord(intent, m_pendingPath, m_flush);
        if (error)
            rollBack(plan, intent);
        // Every byte is on disk by now; closing releases the locks.
        for (native::File& file : m_files)
            (void)file.close();
        return error;
    }

    std::optional<std::string> repairNotice() const override { return m_notice; }

private:
    std::optional<Failure> appendAll(const std::vector<std::string>& texts)
    {
        for (std::size_t i = 0; i < m_files.size() && i < texts.size(); ++i) {
            if (auto fault = m_files[i].append(texts[i]))
                return becauseOf({.doing = "The record file cannot be written:", .path = m_paths[i]}, *fault);
        }
        for (std::size_t i = 0; i < m_files.size() && m_flush; ++i) {
            if (auto fault = m_files[i].sync())
                return becauseOf({.doing = "The record file cannot be saved to disk:", .path = m_paths[i]}, *fault);
        }
        return std::nullopt;
    }

    // Takes this entry's bytes out of every file again. Should that fail, the
    // intent record stays, and the next start or commit finishes the job.
    void rollBack(const std::vector<IntentFile>& plan, native::File& intent)
    {
        bool undone = true;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            Trace trace;
            undone = !takeOut(m_files[i], plan[i], trace) && trace.kind != EntryTrace::Other && undone;
        }
        if (undone)
            (void)clearIntentRecord(intent, m_pendingPath);
    }

    std::string m_pendingPath;
    std::vector<std::string> m_paths;
    std::vector<native::File> m_files;
    bool m_flush; // false only where the flushes are left to the system
    std::optional<std::string> m_notice;
};

} // namespace

RecordFiles::Opened DiskRecordFiles::open(const std::string& pendingPath, const std::vector<std::string>& paths)
{
    std::vector<native::File> files(paths.size());
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (native::inspect(paths[i]).kind == native::PathKind::Missing) {
            missing.push_back(i);
        } else if (auto fault = native::File::open(paths[i], native::File::Mode::Append, files[i])) {
            return {nullptr, becauseOf({.doing = "The record file cannot be opened:", .path = paths[i]}, *fault)};
        }
    }
    // A missing file whose folder is gone is reported before any file is created.
    for (const std::size_t i : missing) {
        const std::string folder = native::parentFolder(paths[i]);
        if (const std::optional<std::string> problem = native::folderProblem(folder))
            return {nullptr, cannotCreateInFolder(paths[i], folder, *problem)};
    }
    for (const std::size_t i : missing) {
        std::optional<native::Fault> fault = native::File::open(paths[i], native::File::Mode::AppendOrCreate, files[i]);
        // Flushing the entries is not enough for a new file: its name must outlast a power cut too.
        if (!fault && m_flushing == Flushing::EveryEntry)
            fault = native::syncFolder(native::parentFolder(paths[i]));
        if (fault)
            return {nullptr, becauseOf({.doing = "The record file cannot be created:", .path = paths[i]}, *fault)};
    }
    return {std::make_unique<DiskOpenedEntry>(pendingPath, paths, std::move(files), m_flushing == Flushing::EveryEntry),
            std::nullopt};
}

RecordFiles::Repair DiskRecordFiles::repair(const std::string& pendingPath)
{
    if (native::inspect(pendingPath).kind == native::PathKind::Missing)
        return {};
    native::File intent;
    std::vector<std::string> notices;
    std::optional<Failure> failure = lockIntentRecord(pendingPath, intent, notices);
    return {joinedNotices(notices), failure};
}

std::optional<Failure> appendEntry(RecordFiles& files, const std::string& pendingPath,
                                   const std::vector<std::string>& paths, const std::vector<std::string>& texts)
{
    RecordFiles::Opened opened = files.open(pendingPath, paths);
    if (!opened.entry)
        return opened.failure;
    return opened.entry->commit(texts);
}

} // namespace calctutor
