#pragma once
// A white drawing panel of the main window. It shows a picture (an image over
// the white background, at the top-left) and, over that, what has been drawn on
// it. Positions are given in a user scale of 1000 by 1000 units over the
// panel's inner area. Drawings go onto a kept transparent layer, so they
// survive being covered and a repaint costs the same however much was drawn.

#include <QImage>
#include <QWidget>

namespace calctutor {

class PicturePanel : public QWidget {
public:
    explicit PicturePanel(QWidget* parent = nullptr);

    // The 1000 by 1000 user scale; until it is set, positions are in twips.
    void setScale(double width, double height);
    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture);

    // A point given in user units, in the panel's device-independent pixels.
    QPointF toPixels(QPointF userPoint) const;
    // Device-independent pixels per horizontal user unit.
    double pixelsPerHorizontalUnit() const;

    // Draws a circle outline with the default pen (black, one device-independent
    // pixel wide, no fill). The radius is in horizontal user units and the
    // circle is round on screen, whatever the panel's shape. A radius that
    // comes to no pixels at all draws a one-pixel dot at the centre.
    void drawCircle(QPointF centre, double radius);

    // Everything drawn so far, over transparency; null until something is drawn.
    const QImage& drawing() const { return m_drawing; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage& drawingLayer();

    QImage m_picture;
    QImage m_drawing;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
};

} // namespace calctutor
