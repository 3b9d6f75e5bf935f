#include "pictures/PlotMapping.h"

namespace calctutor {

namespace {

// Where value lies between low and high, 0 at low and 1 at high; an empty range
// puts everything at 0 rather than dividing by zero.
double fraction(double value, const AxisScale& axis)
{
    const double span = axis.high - axis.low;
    return span > 0 ? (value - axis.low) / span : 0;
}

} // namespace

PlotMapping::PlotMapping(PlotArea area, AxisScale xAxis, AxisScale yAxis) : m_area(area), m_xAxis(xAxis), m_yAxis(yAxis)
{
}

double PlotMapping::pixelX(double x) const
{
    return m_area.left + fraction(x, m_xAxis) * m_area.width;
}

double PlotMapping::pixelY(double y) const
{
    return m_area.bottom() - fraction(y, m_yAxis) * m_area.height;
}

} // namespace calctutor
