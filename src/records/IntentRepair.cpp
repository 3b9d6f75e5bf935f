#include "records/IntentRepair.h"

#include "records/IntentRecord.h"
#include "records/RecordFileNames.h"
#include "records/RecordMessages.h"

namespace calctutor {

namespace {

// What was being done, for the failures that more than one step shares.
constexpr const char* kTakingOut = "An unfinished entry cannot be taken out of the record file";
constexpr const char* kReadingIntent = "The record of entries in progress cannot be read:";
constexpr const char* kOpeningIntent = "The record of entries in progress cannot be opened:";

// Renames what stands at the record's name aside, never overwriting an
// earlier one while there is room, and returns the new path.
std::optional<native::Fault> keepAside(const std::string& pendingPath, std::string& keptPath)
{
    const std::string folder = native::parentFolder(pendingPath);
    const std::string pendingName = native::fileNameOf(pendingPath);
    for (int number = 1; number <= kMostKeptIntents; ++number) {
        keptPath = native::joinPath(folder, keptIntentFileName(pendingName, number));
        if (native::inspect(keptPath).kind == native::PathKind::Missing)
            break;
    }
    if (auto fault = native::renamePath(pendingPath, keptPath))
        return fault;
    return native::syncFolder(folder);
}

// One record file against the entry: cut when it holds a beginning of the
// entry, otherwise left alone and described.
struct FileOutcome {
    std::vector<std::string> cut;
    std::vector<std::string> left; // "<path>, which ..."
};

std::optional<Failure> undoInFile(const std::string& path, const IntentFile& intent, FileOutcome& outcome)
{
    if (native::inspect(path).kind == native::PathKind::Missing)
        return std::nullopt;
    native::File file;
    if (auto fault = native::File::open(path, native::File::Mode::Append, file)) {
        if (!fault->notPlainFile)
            return becauseOf({.doing = kTakingOut, .path = path}, *fault);
        outcome.left.push_back(path + ": " + fault->reason);
        return std::nullopt;
    }
    Trace trace;
    if (auto fault = takeOut(file, intent, trace))
        return becauseOf({.doing = kTakingOut, .path = path}, *fault);
    if (trace.kind == EntryTrace::Beginning)
        outcome.cut.push_back(path);
    else if (trace.kind == EntryTrace::Other)
        outcome.left.push_back(noBeginningThere(path, trace.size, intent.sizeBefore));
    return std::nullopt;
}

enum class Undone { Cleared, KeptAside };

// With the record locked: undoes the entry it holds, if any.
std::optional<Failure> undoInterruptedEntry(native::File& intent, const std::string& pendingPath,
                                            std::vector<std::string>& notices, Undone& undone)
{
    undone = Undone::Cleared;
    std::uint64_t size = 0;
    if (auto fault = intent.size(size))
        return becauseOf({.doing = kReadingIntent, .path = pendingPath}, *fault);
    if (size == 0)
        return std::nullopt;
    ParsedIntent parsed;
    // Its size alone tells a record that the tutor never wrote; it is not read.
    if (size > longestIntent()) {
        parsed = {ParsedIntent::Kind::Damaged, {}, intentTooLongReason(size, longestIntent())};
    } else {
        std::string text;
        if (auto fault = intent.readAll(text))
            return becauseOf({.doing = kReadingIntent, .path = pendingPath}, *fault);
        const std::string pendingName = native::fileNameOf(pendingPath);
        parsed = parseIntent(text, [&](std::string_view name) { return isRecordFileOf(pendingName, name); });
    }

    FileOutcome outcome;
    if (parsed.kind == ParsedIntent::Kind::Whole) {
        const std::string folder = native::parentFolder(pendingPath);
        for (const IntentFile& file : parsed.files) {
            if (auto error = undoInFile(native::joinPath(folder, file.name), file, outcome))
                return error;
        }
        if (!outcome.cut.empty())
            notices.push_back(takenOutNotice(outcome.cut));
    }
    if (parsed.kind != ParsedIntent::Kind::Damaged && outcome.left.empty())
        return clearIntentRecord(intent, pendingPath);

    std::string keptPath;
    if (auto fault = keepAside(pendingPath, keptPath))
        return becauseOf({.doing = "The record of entries in progress cannot be renamed:", .path = pendingPath},
                         *fault);
    undone = Undone::KeptAside;
    if (parsed.kind == ParsedIntent::Kind::Damaged) {
        notices.push_back(intentNotUsedNotice(pendingPath, parsed.problem, keptPath));
        return std::nullopt;
    }
    notices.push_back(leftAloneNotice(outcome.left, keptPath));
    return std::nullopt;
}

} // namespace

std::optional<Failure> clearIntentRecord(native::File& intent, const std::string& pendingPath, bool flush)
{
    std::optional<native::Fault> fault = intent.truncate(0);
    if (!fault && flush)
        fault = intent.sync();
    if (fault)
        return becauseOf({.doing = "The record of entries in progress cannot be updated:", .path = pendingPath},
                         *fault);
    return std::nullopt;
}

// Every commit and repair of one student's files takes this lock first, so
// two tutors of the same student take turns and never deadlock. A record
// renamed aside by the other tutor while this one waited is let go, and the
// record now at the name is taken instead.
std::optional<Failure> lockIntentRecord(const std::string& pendingPath, native::File& into,
                                        std::vector<std::string>& notices, bool flush)
{
    constexpr int kAttempts = 2 * kMostKeptIntents;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const bool created = native::inspect(pendingPath).kind == native::PathKind::Missing;
        std::optional<native::Fault> fault = native::File::open(pendingPath, native::File::Mode::Update, into);
        if (fault && fault->sharedName) {
            // Another name of some file: taking this name away changes nothing in that file.
            if (native::removeFile(pendingPath) || native::syncFolder(native::parentFolder(pendingPath)))
                return becauseOf({.doing = kOpeningIntent, .path = pendingPath}, *fault);
            notices.push_back(intentSharedNameNotice(pendingPath, fault->reason));
            continue;
        }
        if (fault && fault->notPlainFile) {
            std::string keptPath;
            if (keepAside(pendingPath, keptPath))
                return becauseOf({.doing = kOpeningIntent, .path = pendingPath}, *fault);
            notices.push_back(intentNotUsedNotice(pendingPath, fault->reason, keptPath));
            continue;
        }
        // A record that a power cut takes away with its name would leave a torn entry in place.
        if (!fault && created && flush)
            fault = native::syncFolder(native::parentFolder(pendingPath));
        if (!fault)
            fault = into.lock();
        if (fault)
            return becauseOf({.doing = kOpeningIntent, .path = pendingPath}, *fault);
        if (!into.isAt(pendingPath))
            continue;
        Undone undone = Undone::Cleared;
        if (auto error = undoInterruptedEntry(into, pendingPath, notices, undone))
            return error;
        if (undone == Undone::Cleared)
            return std::nullopt;
    }
    return intentKeptReplaced(pendingPath);
}

} // namespace calctutor
