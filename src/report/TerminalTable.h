#pragma once
// The report on the terminal: one row per student, a line for the class, the
// students the roster names and the files do not (and the other way round),
// and a summary of the problems found in the input.

#include "report/ClassStatistics.h"

#include <ostream>
#include <string>
#include <vector>

namespace calctutor::report {

struct TableExtras {
    std::vector<std::string> notStarted; // on the roster, no files
    std::vector<std::string> notOnRoster;
    bool roster = false;
    std::size_t filesRead = 0;
    std::size_t filesSkipped = 0;   // not record files by their names
    std::size_t problemsShown = 10; // all with --verbose
};

void printTable(std::ostream& out, const ClassStatistics& statistics, const std::vector<ReportProblem>& problems,
                const TableExtras& extras);

// The width of a UTF-8 text in characters.
std::size_t displayWidth(std::string_view text);

} // namespace calctutor::report
