#pragma once
// Writes one spreadsheet file: RFC 4180 quoting, CR LF between rows, UTF-8
// with a byte-order mark (so that spreadsheets read accents right), and an
// apostrophe before any cell that a spreadsheet would take for a formula.

#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

// One cell as it goes into the file.
std::string csvCell(std::string_view value);
void appendCsvCell(std::string_view value, std::string& into);

class CsvWriter {
public:
    // Opens (replacing) the file and writes the header row; check ok().
    CsvWriter(const std::string& path, const std::vector<std::string_view>& header);

    bool ok() const { return static_cast<bool>(m_out); }
    void row(const std::vector<std::string>& cells);
    // A row cell by cell, without building it first.
    void cell(std::string_view value);
    void endRow();
    // Flushes and closes; false when anything could not be written.
    bool close();

private:
    std::ofstream m_out;
    std::string m_pending; // written out in large blocks
    bool m_rowStarted = false;
};

// A mean with two decimals, or empty when there is nothing to average.
std::string csvNumber(double value, bool present = true);

} // namespace calctutor::report
