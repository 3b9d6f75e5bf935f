#pragma once
// The class page's "Questions for you": every critique and note in which a
// student asks the instructor something, newest first. Each row is rendered
// as its student comes and kept in a scratch file in the site folder, with
// only its time and place in memory, so that the class's texts are never
// held; the class page copies the rows back in order.

#include "report/ReportEntry.h"
#include "report/html/PageTemplates.h"
#include "report/html/PieceTemplate.h"
#include "report/html/SiteFolder.h"

#include <cstdint>
#include <deque>
#include <fstream>
#include <ostream>
#include <string>

namespace calctutor::report {

class AskTable {
public:
    AskTable(PageTemplates& templates, SiteFolder& folder);
    ~AskTable();
    AskTable(const AskTable&) = delete;
    AskTable& operator=(const AskTable&) = delete;

    // The student's asks, linked to their place on the page named fileStem.
    void add(const StudentRecord& record, const std::string& fileStem);
    std::size_t size() const { return m_rows.size(); }
    // The rows, newest first (the same time keeps the order the students came
    // in); then the scratch file is gone.
    void write(std::ostream& page);

private:
    struct Row {
        std::uint64_t when = 0;   // YYYYMMDDhhmmss
        std::uint64_t offset = 0; // in the scratch file; the row ends where the next one begins
    };

    SiteFolder& m_folder;
    PieceTemplate m_row;
    std::fstream m_scratch;
    std::uint64_t m_written = 0;
    std::deque<Row> m_rows; // grown without copying, as a class's asks can be many
    std::string m_text;     // kept between students, so its room is reused
};

} // namespace calctutor::report
