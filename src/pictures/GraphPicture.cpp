#include "pictures/GraphPicture.h"

#include "pictures/PlotMapping.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace calctutor {

namespace {

constexpr qreal kTickLength = 4;
constexpr qreal kGap = 3;           // between a tick, its label and the axis label
constexpr qreal kEdge = 4;          // kept free at the picture's edges
constexpr qreal kXTickSpacing = 28; // least room per tick, so labels do not touch
constexpr qreal kYTickSpacing = 22;
constexpr qreal kMarkerRadius = 2.5;

const QColor kGridColour(0xE4, 0xE4, 0xE4);
const QColor kDataColour(0x1F, 0x5F, 0xBF);

QString toText(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString label(double value, const AxisScale& axis)
{
    return toText(tickLabel(value, axis.step));
}

int ticksThatFit(qreal length, qreal spacing)
{
    return std::max(2, static_cast<int>(std::floor(length / spacing)) + 1);
}

std::pair<double, double> range(const std::vector<GraphPoint>& points, double GraphPoint::*coordinate)
{
    double low = points.front().*coordinate;
    double high = low;
    for (const GraphPoint& point : points) {
        low = std::min(low, point.*coordinate);
        high = std::max(high, point.*coordinate);
    }
    return {low, high};
}

struct Fonts {
    QFont ticks;
    QFont labels;
    QFont title;
};

Fonts graphFonts()
{
    Fonts fonts;
    fonts.ticks.setPixelSize(10);
    fonts.labels.setPixelSize(11);
    fonts.title = fonts.labels;
    fonts.title.setBold(true);
    return fonts;
}

// Chooses both axes and the plot area: the margins make room for the title,
// the tick labels and the axis labels, and the axes get as many round ticks as
// the room allows.
PlotMapping layOut(const Graph& graph, QSizeF size, const Fonts& fonts)
{
    const QFontMetricsF tickMetrics(fonts.ticks);
    const QFontMetricsF labelMetrics(fonts.labels);
    const QFontMetricsF titleMetrics(fonts.title);

    const qreal top = kEdge + titleMetrics.height() + kGap + tickMetrics.height() / 2;
    const qreal bottom = size.height() - kEdge - labelMetrics.height() - kGap - tickMetrics.height() - kTickLength;
    const auto [yMin, yMax] = range(graph.points, &GraphPoint::y);
    const AxisScale yAxis = niceAxis(yMin, yMax, ticksThatFit(bottom - top, kYTickSpacing));

    qreal widestYLabel = 0;
    for (const double tick : yAxis.ticks())
        widestYLabel = std::max(widestYLabel, tickMetrics.horizontalAdvance(label(tick, yAxis)));
    const qreal left = kEdge + labelMetrics.height() + kGap + widestYLabel + kGap + kTickLength;

    const auto [xMin, xMax] = range(graph.points, &GraphPoint::x);
    const qreal roughRight = size.width() - kEdge - tickMetrics.horizontalAdvance(QStringLiteral("000")) / 2;
    const AxisScale xAxis = niceAxis(xMin, xMax, ticksThatFit(roughRight - left, kXTickSpacing));
    const qreal right = size.width() - kEdge - tickMetrics.horizontalAdvance(label(xAxis.high, xAxis)) / 2;

    return PlotMapping({left, top, right - left, bottom - top}, xAxis, yAxis);
}

void drawGridAndAxes(QPainter& painter, const PlotMapping& plot, const Fonts& fonts)
{
    const PlotArea& area = plot.area();
    const QFontMetricsF tickMetrics(fonts.ticks);
    painter.setFont(fonts.ticks);
    for (const double tick : plot.xAxis().ticks()) {
        const qreal x = plot.pixelX(tick);
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(x, area.top), QPointF(x, area.bottom()));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + kTickLength));
        const QRectF box(x - 30, area.bottom() + kTickLength + 1, 60, tickMetrics.height());
        painter.drawText(box, Qt::AlignHCenter | Qt::AlignTop, label(tick, plot.xAxis()));
    }
    for (const double tick : plot.yAxis().ticks()) {
        const qreal y = plot.pixelY(tick);
        painter.setPen(QPen(kGridColour, 1));
        painter.drawLine(QPointF(area.left, y), QPointF(area.right(), y));
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(QPointF(area.left - kTickLength, y), QPointF(area.left, y));
        const QRectF box(0, y - tickMetrics.height() / 2, area.left - kTickLength - kGap, tickMetrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, label(tick, plot.yAxis()));
    }
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(area.left, area.top), QPointF(area.left, area.bottom()));
    painter.drawLine(QPointF(area.left, area.bottom()), QPointF(area.right(), area.bottom()));
}

void drawLabels(QPainter& painter, const Graph& graph, const PlotMapping& plot, QSizeF size, const Fonts& fonts)
{
    const PlotArea& area = plot.area();
    const QFontMetricsF labelMetrics(fonts.labels);
    painter.setPen(Qt::black);

    painter.setFont(fonts.title);
    painter.drawText(QRectF(kEdge, kEdge, size.width() - 2 * kEdge, QFontMetricsF(fonts.title).height()),
                     Qt::AlignHCenter | Qt::AlignTop, toText(graph.title));

    painter.setFont(fonts.labels);
    const qreal xLabelTop = size.height() - kEdge - labelMetrics.height();
    painter.drawText(QRectF(area.left, xLabelTop, area.width, labelMetrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     toText(graph.xLabel));

    // The vertical label reads from bottom to top, centred on the plot's height.
    painter.save();
    painter.translate(kEdge, area.bottom());
    painter.rotate(-90);
    painter.drawText(QRectF(0, 0, area.height, labelMetrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                     toText(graph.yLabel));
    painter.restore();
}

void drawData(QPainter& painter, const Graph& graph, const PlotMapping& plot)
{
    QPainterPath line;
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        const GraphPoint at = plot.toPixels(graph.points[i]);
        if (i == 0)
            line.moveTo(at.x, at.y);
        else
            line.lineTo(at.x, at.y);
    }
    painter.setPen(QPen(kDataColour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kDataColour);
    for (const GraphPoint& point : graph.points) {
        const GraphPoint at = plot.toPixels(point);
        painter.drawEllipse(QPointF(at.x, at.y), kMarkerRadius, kMarkerRadius);
    }
}

} // namespace

QImage renderGraph(const Graph& graph, QSize size, qreal devicePixelRatio)
{
    if (size.isEmpty() || graph.points.empty())
        return {};
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);

    const Fonts fonts = graphFonts();
    const QSizeF logical = image.deviceIndependentSize();
    const PlotMapping plot = layOut(graph, logical, fonts);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawGridAndAxes(painter, plot, fonts); // aliased: straight lines stay one pixel sharp
    drawLabels(painter, graph, plot, logical, fonts);
    painter.setRenderHint(QPainter::Antialiasing);
    drawData(painter, graph, plot);
    return image;
}

} // namespace calctutor
