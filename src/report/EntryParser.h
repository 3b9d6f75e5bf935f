#pragma once
// Reads the entries of one record file from its lines: start headers,
// response entries in the master and the send layout, and note entries. It
// places each entry in the course and gives it a date, and names every
// stretch of lines it cannot read as a problem, then reads on. Lines come in
// windows, so a file of any size is read in bounded memory; an entry that may
// go on past a window's last lines is left for the next window.

#include "report/CourseIndex.h"
#include "report/RecordText.h"
#include "report/ReportEntry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

struct ParsedEntry {
    ReportEntry entry;
    std::int64_t instant = -1; // seconds since 1970 of its time line; -1 when its date is unknown
    std::size_t line = 0;      // where it starts in its file
    bool numbered = false;     // placed by a master file's record number
};

struct ParsedStart {
    StartRecord start;
    std::string codeLine; // the same in the master and the send file of one start
    std::int64_t day = 0;
};

// What one file gave.
struct FileReading {
    std::string path; // as the problems name it
    std::string name; // the file's own name, for ReportEntry::files
    std::vector<ParsedEntry> entries;
    std::vector<ParsedStart> starts;
    std::vector<ReportProblem> problems;
    std::size_t lines = 0;
    std::size_t heldBytes = 0; // the entries' texts and contexts
};

class EntryParser {
public:
    EntryParser(FileReading& into, const CourseIndex& course, const RecordText& text);

    // Reads lines[0..) which start at line firstLine (1-based) of the file and
    // returns how many were used. With more, lines that may belong to an entry
    // going on in the next window are left unused.
    std::size_t parse(const std::vector<std::string_view>& lines, std::size_t firstLine, bool more);
    // The lines from here to the window's end were dropped (too long to hold).
    void skipped(std::size_t firstLine, std::size_t lastLine, const std::string& why);
    // Ends the file: names a stretch of unreadable lines still open.
    void finish();

private:
    enum class Outcome { Read, Broken, NeedMore };
    struct Step {
        Outcome outcome;
        std::size_t next;
    };
    Step entryAt(const std::vector<std::string_view>& lines, std::size_t at, bool more);
    bool startsSomething(const std::vector<std::string_view>& lines, std::size_t at) const;
    bool endsEntry(const std::vector<std::string_view>& lines, std::size_t closing, bool more, bool& needMore) const;
    void placeEntry(ParsedEntry& parsed, int timeOfDay, const std::optional<std::int64_t>& noteDay,
                    const CourseIndex::Stop* stop);
    void problem(std::size_t line, std::string reason);
    void closeUnreadable();
    std::string joined(const std::vector<std::string_view>& lines, std::size_t from, std::size_t to);

    FileReading& m_into;
    const CourseIndex& m_course;
    const RecordText& m_text;
    std::size_t m_firstLine = 1;
    // The current start: its assignment and day; the day moves on when the
    // time of day runs backwards (work past midnight).
    int m_assignment = 0;
    std::optional<std::int64_t> m_day;
    int m_lastTime = -1;
    // A stretch of lines that belongs to no entry, named once it ends.
    std::size_t m_unreadableFrom = 0;
    std::size_t m_unreadableTo = 0;
    bool m_unreadableHasNul = false;
    std::size_t m_unplaced = 0;
    std::size_t m_firstUnplacedLine = 0;
};

} // namespace calctutor::report
