#pragma once
// The range and tick marks of one graph axis, chosen so that the ticks fall on
// round numbers (steps of 1, 2 or 5 times a power of ten) and their labels read
// easily. Where the axis goes on the picture is left to PlotMapping.

#include <string>
#include <vector>

namespace calctutor {

struct AxisScale {
    double low = 0;
    double high = 1;
    double step = 1;

    int tickCount() const;
    std::vector<double> ticks() const; // low, low + step, ..., high
};

// The smallest step of 1, 2 or 5 times a power of ten that is at least rough:
// 0.3 gives 0.5, 6 gives 10, 20 gives 20. A rough step that is not positive gives 1.
double niceStep(double rough);

// An axis that covers every value from min to max with at most maxTicks ticks
// (at least 2), ends on ticks, and uses the smallest round step that fits. An
// axis that would start exactly at a value other than zero starts one step
// lower, so that the lowest point does not sit on the axis line. A single value
// gets an axis around it.
AxisScale niceAxis(double min, double max, int maxTicks);

// A tick's label with as many decimals as the step needs: 40 with step 10
// gives "40", 0.30000000000000004 with step 0.1 gives "0.3", never "-0".
std::string tickLabel(double value, double step);

} // namespace calctutor
