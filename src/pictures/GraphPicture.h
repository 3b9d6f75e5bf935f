#pragma once
// Draws one of the course's graphs as a picture for a panel: title, axes with
// tick values and labels, the data points marked and joined in order. The
// numbers come from GraphData; axis ranges and positions from AxisScale and
// PlotMapping.

#include "script/GraphData.h"

#include <QImage>
#include <QSize>

namespace calctutor {

// A white picture of size device-independent pixels, at the given device pixel
// ratio so that it is crisp on high-density screens. A null image when size is
// empty.
QImage renderGraph(const Graph& graph, QSize size, qreal devicePixelRatio);

} // namespace calctutor
