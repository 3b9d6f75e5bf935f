// Kills a process that records responses and notes through the real writer,
// at random moments, again and again. After each kill a fresh start undoes
// whatever entry was cut short; then every file must hold whole entries only,
// and every entry must be in each file it belongs to.

#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "platform/SystemServices.h"
#include "records/RecordEntries.h"
#include "records/RecordFiles.h"
#include "records/Recording.h"

#include "SteadyServices.h"
#include "TempFolder.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace calctutor {
namespace {

using namespace calctutor::testing;

constexpr int kKills = 200;
// Every file is read whole after each kill; past this size they start
// afresh, which still leaves room for several of the longest entries.
constexpr std::uintmax_t kFreshFilesAbove = 4 * 1024 * 1024;

// What an entry is made of follows from the line it answers, so the
// checker can rebuild every entry from the files alone.
struct Entry {
    long id = 0;
    bool note = false;
    std::size_t size = 0;
};

std::string contextLine(const Entry& entry)
{
    return "SOAK " + std::to_string(entry.id) + (entry.note ? " note " : " response ") + std::to_string(entry.size);
}

// Lines of 78 letters running through the alphabet from the entry's id on.
// Copied a line at a time: the checker rebuilds every entry of the files
// after each kill, so this is most of the soak's own time.
std::string body(const Entry& entry)
{
    static const std::string alphabets = [] {
        std::string letters;
        for (int i = 0; i < 26 * 5; ++i)
            letters += static_cast<char>('a' + i % 26);
        return letters;
    }();
    constexpr std::size_t kLine = 78;
    std::string text;
    text.reserve(entry.size + entry.size / 39 + 2);
    for (std::size_t at = 0; at < entry.size; at += kLine) {
        const std::size_t first = static_cast<std::size_t>(entry.id + static_cast<long>(at)) % 26;
        text.append(alphabets, first, std::min(kLine, entry.size - at));
        if (entry.size - at >= kLine)
            text += "\r\n";
    }
    return text;
}

TutorState stateFor(const testing::TempFolder& folder)
{
    TutorState state;
    state.masterFilePath = folder.file("masterFile_Kim.txt");
    state.sendFilePath = folder.file("send_1208Kim.txt");
    state.notesFilePath = folder.file("notes_Kim.txt");
    state.pendingFilePath = folder.file(".pending_Kim.txt");
    state.assignmentNumber = "003";
    state.questionNumber = "4";
    state.lineKind = "question";
    state.codeNumber = 21;
    return state;
}

// The child: records entries until it is killed.
[[noreturn]] void recordForever(TutorState state, long firstId, unsigned seed)
{
    SteadyInput input;
    SilentMessages messages;
    StillClock clock;
    SystemRandom unused;
    DiskRecordFiles files;
    NoBeep beep;
    const TutorServices services{input, messages, clock, unused, files, beep, nullptr, {}};
    std::mt19937 random(seed);
    for (long id = firstId;; ++id) {
        Entry entry{id, random() % 3 == 0, 0};
        // Mostly entries of a few lines, some of a quarter megabyte up to
        // the longest answer the tutor records.
        entry.size = random() % 4 == 0 ? 250'000 + random() % 750'000 : 10 + random() % 3000;
        state.lastLine = contextLine(entry);
        const Recorded recorded = entry.note ? saveNote(state, body(entry), services)
                                             : enterResponse(state, body(entry), services);
        if (recorded != Recorded::Entry)
            ::_exit(3);
    }
}

std::string expectedEntry(const TutorState& state, const Entry& entry, const std::string& path)
{
    StillClock clock;
    const std::string line = contextLine(entry);
    if (entry.note)
        return noteEntry(line, std::string(kNotePrefix) + body(entry), clock.time(), clock.date(), clock.time(),
                         state.codeNumber);
    const std::string text = body(entry);
    const ResponseParts parts{line, text, std::string(kConfidenceLabel) + "2", state.codeNumber};
    if (path == state.masterFilePath)
        return masterResponseEntry(parts, clock.time(), recordNumber(state.assignmentNumber, state.questionNumber));
    return sendResponseEntry(parts, clock.time());
}

// The entries of one file, in order; false when any of it is not a whole entry.
bool readEntries(const TutorState& state, const std::string& path, std::vector<Entry>& entries)
{
    const std::string content = testing::readFile(path);
    std::size_t at = 0;
    while (at < content.size()) {
        const std::size_t mark = content.find("SOAK ", at);
        if (mark == std::string::npos)
            return false;
        Entry entry;
        char kind[16] = {};
        // sscanf measures the whole string it is given; give it the line only.
        const std::string line = content.substr(mark, content.find('\r', mark) - mark);
        if (std::sscanf(line.c_str(), "SOAK %ld %15s %zu", &entry.id, kind, &entry.size) != 3)
            return false;
        entry.note = std::string(kind) == "note";
        const std::string expected = expectedEntry(state, entry, path);
        if (content.compare(at, expected.size(), expected) != 0)
            return false;
        entries.push_back(entry);
        at += expected.size();
    }
    return true;
}

std::set<long> ids(const std::vector<Entry>& entries, bool notesOnly)
{
    std::set<long> result;
    for (const Entry& entry : entries) {
        if (entry.note || !notesOnly)
            result.insert(entry.id);
    }
    return result;
}

bool consistent(const TutorState& state)
{
    std::vector<Entry> master, send, notes;
    if (!readEntries(state, state.masterFilePath, master) || !readEntries(state, state.sendFilePath, send)
        || !readEntries(state, state.notesFilePath, notes))
        return false;
    return ids(master, false) == ids(send, false) && ids(master, true) == ids(notes, true);
}

} // namespace
} // namespace calctutor

int main()
{
    using namespace calctutor;
    testing::TempFolder folder;
    const TutorState state = stateFor(folder);
    std::mt19937 random(std::random_device{}());
    int inconsistent = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const unsigned seed = static_cast<unsigned>(random());
        const pid_t child = ::fork();
        if (child < 0)
            return 2;
        if (child == 0)
            recordForever(state, (kill + 1) * 1'000'000L, seed);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40'000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (WIFEXITED(status)) // the child stopped by itself: a failed entry
            ++inconsistent;

        DiskRecordFiles fresh;
        const RecordFiles::Repair repair = fresh.repair(state.pendingFilePath);
        if (repair.failure || !consistent(state))
            ++inconsistent;
        std::error_code ignored;
        if (std::filesystem::file_size(state.masterFilePath, ignored) > kFreshFilesAbove) {
            for (const std::string& path : {state.masterFilePath, state.sendFilePath, state.notesFilePath})
                std::filesystem::remove(path, ignored);
        }
    }
    std::printf("soak: %d kills, %d inconsistent\n", kKills, inconsistent);
    return inconsistent == 0 ? 0 : 1;
}
