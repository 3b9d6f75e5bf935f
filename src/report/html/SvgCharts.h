#pragma once
// The two plots of the class page, as the coordinates and labels that the
// page template draws as inline SVG: each student's calibration point, and
// the class's entries per day. The numbers themselves go into tables beside
// the plots; these only place them.

#include "report/html/PageTemplates.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace calctutor::report {

// The calibration plot's frame: width, height, gridLines and labels.
PageData scatterPlot();

// Where a student's point goes in it: mean confidence (0 to 3) across, the
// share of self-critiques rated 3 (0 to 1) up.
struct ScatterPlace {
    std::string x;
    std::string y;
};
ScatterPlace scatterPlace(double meanConfidence, double shareOfThree);

// width, height, axis ends, labels and one bar per day with entries; days
// between the first and the last without entries take their room empty.
PageData activityBars(const std::map<std::string, int>& entriesPerDay);

// Whole days from 1970-01-01 to a YYYY-MM-DD date; nothing for another text.
std::optional<long> dayNumber(const std::string& date);

} // namespace calctutor::report
