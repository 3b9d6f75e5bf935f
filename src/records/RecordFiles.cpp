#include "records/RecordFiles.h"

#include "platform/NativeFiles.h"
#include "records/IntentRecord.h"

#include <utility>

namespace calctutor {

namespace {

RecordError failure(const std::string& what, const std::string& path, const native::Fault& fault)
{
    return {what + " " + path + ": " + fault.reason + "."};
}

std::string parentFolder(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string interruptedNotice(const std::vector<std::string>& cutPaths)
{
    std::string files;
    for (const std::string& path : cutPaths)
        files += (files.empty() ? "" : ", ") + path;
    return "The tutor was stopped while it was recording an entry (the program was closed or the computer "
           "stopped), so that unfinished entry was taken out of your record "
        + std::string(cutPaths.size() == 1 ? "file " : "files ") + files + ". Every entry recorded before it is kept.";
}

// The flushes of one writer: all of them, or none when they are left to the
// system. Cutting back an interrupted entry always flushes.
class Flushes {
public:
    explicit Flushes(DiskRecordFiles::Flushing flushing) : m_on(flushing == DiskRecordFiles::Flushing::EveryEntry) {}
    [[nodiscard]] std::optional<native::Fault> file(native::File& file) const
    {
        return m_on ? file.sync() : std::nullopt;
    }
    [[nodiscard]] std::optional<native::Fault> folder(const std::string& path) const
    {
        return m_on ? native::syncFolder(path) : std::nullopt;
    }

private:
    bool m_on;
};

// Every commit and repair of one student's files takes this lock first, so
// two tutors of the same student take turns and never deadlock.
std::optional<RecordError> openIntentRecord(const std::string& pendingPath, const Flushes& flushes, native::File& into)
{
    const bool created = native::inspect(pendingPath).kind == native::PathKind::Missing;
    std::optional<native::Fault> fault = native::File::open(pendingPath, native::File::Mode::Update, into);
    // A record that a power cut takes away with its name would leave a torn entry in place.
    if (!fault && created)
        fault = flushes.folder(parentFolder(pendingPath));
    if (!fault)
        fault = into.lock();
    if (fault)
        return failure("The record of entries in progress cannot be opened:", pendingPath, *fault);
    return std::nullopt;
}

std::optional<RecordError> clearIntentRecord(native::File& intent, const std::string& pendingPath,
                                             const Flushes& flushes)
{
    std::optional<native::Fault> fault = intent.truncate(0);
    if (!fault)
        fault = flushes.file(intent);
    if (fault)
        return failure("The record of entries in progress cannot be updated:", pendingPath, *fault);
    return std::nullopt;
}

// With the intent record locked: undoes the entry it names, if any.
RecordFiles::Repair undoInterruptedEntry(native::File& intent, const std::string& pendingPath, const Flushes& flushes)
{
    std::string text;
    if (auto fault = intent.readAll(text))
        return {std::nullopt, failure("The record of entries in progress cannot be read:", pendingPath, *fault)};
    if (text.empty())
        return {};
    std::vector<std::string> cutPaths;
    if (const std::optional<std::vector<IntentFile>> files = parseIntent(text)) {
        if (const std::optional<CutBackFailure> failed = cutBackAll(*files, cutPaths))
            return {
                std::nullopt,
                failure("An unfinished entry could not be taken out of the record file", failed->path, failed->fault)};
    }
    if (auto error = clearIntentRecord(intent, pendingPath, flushes))
        return {std::nullopt, error};
    if (cutPaths.empty())
        return {};
    return {interruptedNotice(cutPaths), std::nullopt};
}

class DiskPendingAppend final : public PendingAppend {
public:
    DiskPendingAppend(std::string pendingPath, std::vector<std::string> paths, std::vector<native::File> files,
                      Flushes flushes)
        : m_pendingPath(std::move(pendingPath)), m_paths(std::move(paths)), m_files(std::move(files)),
          m_flushes(flushes)
    {
    }

    std::optional<RecordError> commit(const std::vector<std::string>& texts) override
    {
        native::File intent;
        if (auto error = openIntentRecord(m_pendingPath, m_flushes, intent))
            return error;
        RecordFiles::Repair repair = undoInterruptedEntry(intent, m_pendingPath, m_flushes);
        if (repair.error)
            return repair.error;
        m_notice = std::move(repair.notice);

        std::vector<IntentFile> plan;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            IntentFile file{m_paths[i], 0, i < texts.size() ? texts[i].size() : 0};
            std::optional<native::Fault> fault = m_files[i].lock();
            if (!fault)
                fault = m_files[i].size(file.sizeBefore);
            if (fault)
                return failure("The record file cannot be locked:", m_paths[i], *fault);
            plan.push_back(std::move(file));
        }
        std::optional<native::Fault> fault = intent.overwrite(formatIntent(plan));
        if (!fault)
            fault = m_flushes.file(intent);
        if (fault) {
            (void)clearIntentRecord(intent, m_pendingPath, m_flushes);
            return failure("The record of entries in progress cannot be written:", m_pendingPath, *fault);
        }

        std::optional<RecordError> error = appendAll(texts);
        if (!error)
            error = clearIntentRecord(intent, m_pendingPath, m_flushes);
        if (error)
            rollBack(plan, intent);
        // Every byte is on disk by now; closing releases the locks.
        for (native::File& file : m_files)
            (void)file.close();
        return error;
    }

    std::optional<std::string> repairNotice() const override { return m_notice; }

private:
    std::optional<RecordError> appendAll(const std::vector<std::string>& texts)
    {
        for (std::size_t i = 0; i < m_files.size() && i < texts.size(); ++i) {
            if (auto fault = m_files[i].append(texts[i]))
                return failure("The record file could not be written:", m_paths[i], *fault);
        }
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            if (auto fault = m_flushes.file(m_files[i]))
                return failure("The record file could not be saved to disk:", m_paths[i], *fault);
        }
        return std::nullopt;
    }

    // Takes this entry's bytes out of every file again. Should that fail, the
    // intent record stays, and the next start or commit finishes the job.
    void rollBack(const std::vector<IntentFile>& plan, native::File& intent)
    {
        bool undone = true;
        for (std::size_t i = 0; i < m_files.size(); ++i) {
            bool cut = false;
            undone = !cutBack(m_files[i], plan[i], cut) && undone;
        }
        if (undone)
            (void)clearIntentRecord(intent, m_pendingPath, m_flushes);
    }

    std::string m_pendingPath;
    std::vector<std::string> m_paths;
    std::vector<native::File> m_files;
    Flushes m_flushes;
    std::optional<std::string> m_notice;
};

} // namespace

RecordFiles::Opened DiskRecordFiles::open(const std::string& pendingPath, const std::vector<std::string>& paths)
{
    const Flushes flushes(m_flushing);
    std::vector<native::File> files(paths.size());
    std::vector<std::size_t> missing;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (native::inspect(paths[i]).kind == native::PathKind::Missing) {
            missing.push_back(i);
        } else if (auto fault = native::File::open(paths[i], native::File::Mode::Append, files[i])) {
            return {nullptr, failure("The record file cannot be opened:", paths[i], *fault)};
        }
    }
    // A missing file whose folder is gone is reported before any file is created.
    for (const std::size_t i : missing) {
        const std::string folder = parentFolder(paths[i]);
        if (const std::optional<std::string> problem = native::folderProblem(folder))
            return {
                nullptr,
                {"The record file " + paths[i] + " cannot be created in the folder " + folder + ": " + *problem + "."}};
    }
    for (const std::size_t i : missing) {
        std::optional<native::Fault> fault = native::File::open(paths[i], native::File::Mode::AppendOrCreate, files[i]);
        // Flushing the entries is not enough for a new file: its name must outlast a power cut too.
        if (!fault)
            fault = flushes.folder(parentFolder(paths[i]));
        if (fault)
            return {nullptr, failure("The record file cannot be created:", paths[i], *fault)};
    }
    return {std::make_unique<DiskPendingAppend>(pendingPath, paths, std::move(files), flushes), {}};
}

RecordFiles::Repair DiskRecordFiles::repair(const std::string& pendingPath)
{
    if (native::inspect(pendingPath).kind == native::PathKind::Missing)
        return {};
    const Flushes flushes(m_flushing);
    native::File intent;
    if (auto error = openIntentRecord(pendingPath, flushes, intent))
        return {std::nullopt, error};
    return undoInterruptedEntry(intent, pendingPath, flushes);
}

std::optional<RecordError> appendEntry(RecordFiles& files, const std::string& pendingPath,
                                       const std::vector<std::string>& paths, const std::vector<std::string>& texts)
{
    RecordFiles::Opened opened = files.open(pendingPath, paths);
    if (!opened.pending)
        return opened.error;
    return opened.pending->commit(texts);
}

} // namespace calctutor
