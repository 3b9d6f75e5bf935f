#pragma once
// The class page, index.html: the progress grid, the questions hardest first,
// calibration, the students' questions to the instructor, activity and the
// data problems, from what the site gathered. The tables with a row per
// student or per ask are written out in pieces as the page is written, so
// that the page is never held whole; the rest is rendered from a data tree.

#include "report/ClassStatistics.h"
#include "report/ReportEntry.h"
#include "report/html/AskTable.h"
#include "report/html/ClassGrid.h"
#include "report/html/CourseQuestions.h"
#include "report/html/PageTemplates.h"
#include "report/html/PieceTemplate.h"
#include "report/html/StudentOverview.h"

#include <array>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace calctutor::report {

// A student whose last day is this many days or more before the class's last
// day has stalled, in the assignment last worked on if it is unfinished.
inline constexpr long kStalledDays = 7;

struct ClassIndex {
    const CourseQuestions& course;
    const ClassStatistics& statistics;
    const ClassGrid& students; // those who sent something, in the reader's order
    const std::vector<std::string>& missingFromRoster;
    const std::map<std::string, int>& entriesPerDay;
    const std::vector<ReportProblem>& problems;
    AskTable& asks;
};

// The class's pairs of confidence and self-critique, summed over the questions.
struct Calibration {
    std::array<std::array<int, 4>, 4> counts{}; // [confidence][self-critique]
    int pairs = 0;
    int confidentMisses = 0;
    int underConfident = 0; // confidence 0 or 1, self-critique 3
};
Calibration classCalibration(const ClassStatistics& statistics);

// "not started"; "finished" (every question answered); "partial" (unfinished,
// and the student has worked on others since); "stalled" (unfinished, the
// student's last work, and the student stalled); else "progress". With no
// class's last day, never "stalled".
std::string_view progressStatus(const AssignmentProgress& progress, const std::string& studentLastDate,
                                const std::string& classLastDate);
// Whether a student whose last day is studentLastDate has stalled by the class's last day.
bool hasStalled(const std::string& studentLastDate, const std::string& classLastDate);

// A question's key in names and anchors: "003-002".
std::string questionKey(int assignment, int question);

// A share as a percentage, "" when there is nothing to share: 0.125 gives
// "13%", or "12.5%" with 1 decimal.
std::string percentText(std::optional<double> share, int decimals = 0);

class IndexPage {
public:
    explicit IndexPage(PageTemplates& templates);

    void write(const ClassIndex& index, std::ostream& out);

private:
    void writeGrid(const ClassIndex& index, const std::string& classLastDate, std::ostream& out);
    // The points of the plot, or the table of the same numbers.
    void writeScatter(const ClassIndex& index, std::ostream& out, bool points);
    // Writes the rows gathered once there are at least this many bytes.
    void flush(std::ostream& out, std::size_t atLeast);

    PageTemplates& m_templates;
    PieceTemplate m_gridRow;
    PieceTemplate m_gridCell;
    PieceTemplate m_point;
    PieceTemplate m_scatterRow;
    std::string m_rows;
};

} // namespace calctutor::report
