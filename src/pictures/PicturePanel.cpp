#include "pictures/PicturePanel.h"

#include "pictures/Twips.h"

#include <QPainter>

#include <cmath>

namespace calctutor {

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    setPalette(white);
    setFocusPolicy(Qt::TabFocus);
}

void PicturePanel::setScale(double width, double height)
{
    m_scaleWidth = width;
    m_scaleHeight = height;
}

void PicturePanel::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

QPointF PicturePanel::toPixels(QPointF userPoint) const
{
    const double across = m_scaleWidth > 0 ? width() / m_scaleWidth : 1.0 / kTwipsPerPixel;
    const double down = m_scaleHeight > 0 ? height() / m_scaleHeight : 1.0 / kTwipsPerPixel;
    return {userPoint.x() * across, userPoint.y() * down};
}

double PicturePanel::pixelsPerHorizontalUnit() const
{
    return toPixels(QPointF(1, 0)).x();
}

void PicturePanel::drawCircle(QPointF centre, double radius)
{
    const QPointF middle = toPixels(centre);
    const double pixels = std::abs(radius) * pixelsPerHorizontalUnit();
    QPainter painter(&drawingLayer());
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    if (pixels < 0.5)
        painter.drawPoint(middle);
    else
        painter.drawEllipse(middle, pixels, pixels);
    painter.end();
    // Only the circle's square needs repainting; the pen reaches a pixel past it.
    const double reach = pixels + 2;
    update(QRectF(middle.x() - reach, middle.y() - reach, 2 * reach, 2 * reach).toAlignedRect());
}

// The widget's white background is already filled; Qt clips painting to the
// area that needs it.
void PicturePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
    if (!m_drawing.isNull())
        painter.drawImage(QPoint(0, 0), m_drawing);
}

// The layer matches the panel's size in device pixels, so drawings are as
// sharp as the screen allows. When the panel's size or screen density has
// changed, what was drawn is carried over to a new layer.
QImage& PicturePanel::drawingLayer()
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)), static_cast<int>(std::ceil(height() * ratio)));
    if (m_drawing.size() == pixels && m_drawing.devicePixelRatio() == ratio)
        return m_drawing;
    QImage layer(pixels, QImage::Format_ARGB32_Premultiplied);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    if (!m_drawing.isNull()) {
        QPainter painter(&layer);
        painter.drawImage(QPoint(0, 0), m_drawing);
    }
    m_drawing = layer;
    return m_drawing;
}

} // namespace calctutor
