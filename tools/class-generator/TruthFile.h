#pragma once
// The truth file of a generated class: one row per distinct response or note
// entry written, in the columns of the report's entries.csv, so that the two
// can be compared row for row. Values are kept raw: a text that a spreadsheet
// would take for a formula is written as typed, without the report's
// protective apostrophe. RFC 4180 with CR LF row ends, UTF-8 without a
// byte-order mark. Students come in the order they are generated (by name),
// each student's entries in the order they were written.

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::classgen {

struct TruthRow {
    std::string student; // the name, as the file names give it back
    std::string date;    // YYYY-MM-DD
    std::string time;    // hh:mm:ss of the master file's copy
    int assignment = 0;
    int question = 0; // 0: not known, written empty
    std::string kind; // answer, critique, response or note
    std::string rating;
    std::string text;
    std::vector<std::string> files; // file names, sorted
};

// A Windows-1252 text with CR LF line breaks as the report gives it: UTF-8
// with "\n" line breaks.
std::string reportText(std::string_view text);

// One cell, quoted when it holds a comma, a quote or a line break.
std::string csvCell(std::string_view value);

class TruthFile {
public:
    // An empty path writes nothing, but the rows are still counted.
    explicit TruthFile(const std::string& path);
    bool writes() const { return m_written; }
    void add(const TruthRow& row);
    std::size_t rows() const { return m_rows; }
    // False when a write failed.
    bool close();

private:
    std::ofstream m_out;
    bool m_written = false;
    std::size_t m_rows = 0;
};

} // namespace calctutor::classgen
