#pragma once
// Places graph values on a picture: the plot area is a rectangle in pixels
// (y down), and each axis's low..high range is spread across it, with the
// vertical axis's low value at the bottom.

#include "pictures/AxisScale.h"
#include "script/GraphData.h"

namespace calctutor {

struct PlotArea {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

class PlotMapping {
public:
    PlotMapping(PlotArea area, AxisScale xAxis, AxisScale yAxis);

    double pixelX(double x) const;
    double pixelY(double y) const;
    GraphPoint toPixels(GraphPoint point) const { return {pixelX(point.x), pixelY(point.y)}; }

    const PlotArea& area() const { return m_area; }
    const AxisScale& xAxis() const { return m_xAxis; }
    const AxisScale& yAxis() const { return m_yAxis; }

private:
    PlotArea m_area;
    AxisScale m_xAxis;
    AxisScale m_yAxis;
};

} // namespace calctutor
