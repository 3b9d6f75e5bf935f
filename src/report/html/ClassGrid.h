#pragma once
// The class page's grid, kept in little room as there is a row per student:
// the student's page, days worked and last day, and for each assignment of
// the course the questions answered and how far it got. Whether an
// unfinished assignment has stalled waits for the class's last day, which
// the class page knows.

#include "report/html/StudentOverview.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace calctutor::report {

class ClassGrid {
public:
    struct Row {
        std::uint32_t figures = 0; // the student's place in ClassStatistics::students()
        std::int32_t daysWorked = 0;
        std::string fileStem;
        std::string lastDate;
    };

    // student.assignments must be the course's, in order, as overview() gives them.
    void add(const StudentOverview& student, std::size_t figures);

    std::size_t size() const { return m_rows.size(); }
    const Row& row(std::size_t at) const { return m_rows[at]; }
    // "not started", "finished", "partial" (left for later assignments) or "progress".
    std::string_view state(std::size_t row, std::size_t assignment) const;
    int answered(std::size_t row, std::size_t assignment) const;

private:
    std::size_t m_width = 0;           // cells per row
    std::deque<Row> m_rows;            // grown without copying
    std::deque<std::uint16_t> m_cells; // the state in the top two bits, the questions answered below
};

} // namespace calctutor::report
