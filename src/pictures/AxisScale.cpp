#include "pictures/AxisScale.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>

namespace calctutor {

namespace {

// Values computed as multiples of a step carry rounding noise; this much of a
// step is treated as none.
constexpr double kSlack = 1e-9;

double nextNiceStep(double step)
{
    return niceStep(step * (1 + 1e-6));
}

} // namespace

int AxisScale::tickCount() const
{
    if (!(step > 0) || high < low)
        return 0;
    return static_cast<int>(std::floor((high - low) / step + kSlack)) + 1;
}

std::vector<double> AxisScale::ticks() const
{
    std::vector<double> values;
    const int count = tickCount();
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values.push_back(low + i * step); // from the index, so errors do not add up
    return values;
}

double niceStep(double rough)
{
    if (!(rough > 0) || !std::isfinite(rough))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / power;
    for (const double nice : {1.0, 2.0, 5.0}) {
        if (fraction <= nice * (1 + kSlack))
            return nice * power;
    }
    return 10 * power;
}

AxisScale niceAxis(double min, double max, int maxTicks)
{
    if (max < min)
        std::swap(min, max);
    if (max == min) {
        const double half = min == 0 ? 1 : std::abs(min) / 2;
        min -= half;
        max += half;
    }
    maxTicks = std::max(maxTicks, 2);
    double step = niceStep((max - min) / (maxTicks - 1));
    for (;;) {
        AxisScale axis;
        axis.step = step;
        axis.low = std::floor(min / step + kSlack) * step;
        axis.high = std::ceil(max / step - kSlack) * step;
        if (std::abs(axis.low - min) <= step * kSlack && min != 0)
            axis.low -= step;
        if (axis.tickCount() <= maxTicks)
            return axis;
        step = nextNiceStep(step);
    }
}

std::string tickLabel(double value, double step)
{
    int decimals = 0;
    if (step > 0 && step < 1)
        decimals = static_cast<int>(std::ceil(-std::log10(step) - kSlack));
    if (std::abs(value) < step * kSlack)
        value = 0;
    return fixedNumber(value, decimals);
}

} // namespace calctutor
