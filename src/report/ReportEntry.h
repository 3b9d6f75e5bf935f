#pragma once
// What the instructor's report knows of one student: the entries found in the
// student's record files, placed in the course, each counted once however
// many files it was found in. The reader fills these; the summaries, the
// spreadsheet files and the pages only read them.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

// answer: a response with a confidence line; critique: with a self-critique
// line; response: with no rating line; note: a "Save as Notes" entry.
enum class EntryKind { Answer, Critique, Response, Note };

std::string_view kindName(EntryKind kind); // "answer", "critique", "response", "note"

// Every text is UTF-8; line breaks inside a text are "\n".
struct ReportEntry {
    std::string date;   // YYYY-MM-DD
    std::string time;   // hh:mm:ss
    int assignment = 0; // 0 when no start header placed it
    int question = 0;   // 0 when unknown
    EntryKind kind = EntryKind::Response;
    std::string rating;             // as typed; empty for notes and responses
    std::string text;               // the response, or the note without its "NOTES -------> " prefix
    std::vector<std::string> files; // the file names it was found in
    // The course line the entry answers (the last line shown): the course's
    // own text when it is one of its stops, which most are, else a copy.
    const std::string* courseContext = nullptr;
    std::string ownContext;
    std::string_view context() const { return courseContext ? std::string_view(*courseContext) : ownContext; }
};

// A start of the tutor: the day and the assignment chosen.
struct StartRecord {
    std::string date; // YYYY-MM-DD
    int assignment = 0;
};

struct StudentRecord {
    std::string name;                 // the name part of the file names, "_" read back as spaces
    std::vector<StartRecord> starts;  // in time order
    std::vector<ReportEntry> entries; // in time order, each entry once
};

// Something wrong with the input, named with its file and, where there is
// one, its line (0 when there is none).
struct ReportProblem {
    std::string file;
    std::size_t line = 0;
    std::string reason;
};

// The reader hands over one student at a time, so that a class never has to
// be held in memory at once.
class StudentSink {
public:
    virtual ~StudentSink() = default;
    virtual void student(const StudentRecord& record) = 0;
};

} // namespace calctutor::report
