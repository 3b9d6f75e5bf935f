#pragma once
// Looking at pictures and drawing layers pixel by pixel, in device-independent
// coordinates so that the same checks hold on high-density screens.

#include <QImage>
#include <QPointF>
#include <QtGlobal>

#include <cmath>

namespace calctutor::testing {

// The device pixels per pixel the test run is meant for (1 unless
// CALCTUTOR_TEST_DENSITY says otherwise), so that a run meant for a dense
// screen cannot pass on an ordinary one unnoticed.
inline qreal expectedScreenDensity()
{
    bool ok = false;
    const double density = qEnvironmentVariable("CALCTUTOR_TEST_DENSITY").toDouble(&ok);
    return ok ? density : 1.0;
}

// A drawn pixel: mostly opaque and dark.
inline bool isDark(QColor colour)
{
    return colour.alpha() > 128 && colour.lightness() < 96;
}

// Whether a dark pixel lies within reach device-independent pixels of at.
inline bool darkNear(const QImage& image, QPointF at, double reach = 1.5)
{
    const double ratio = image.devicePixelRatio();
    const int span = static_cast<int>(std::ceil(reach * ratio));
    const int cx = static_cast<int>(std::floor(at.x() * ratio));
    const int cy = static_cast<int>(std::floor(at.y() * ratio));
    for (int y = cy - span; y <= cy + span; ++y) {
        for (int x = cx - span; x <= cx + span; ++x) {
            if (image.valid(x, y) && isDark(image.pixelColor(x, y)))
                return true;
        }
    }
    return false;
}

// How many pixels of the image are drawn (not fully transparent).
inline int drawnPixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() != 0 ? 1 : 0;
    }
    return count;
}

// Whether every pixel of the image is white.
inline bool allWhite(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            if (rgb.pixel(x, y) != qRgb(255, 255, 255))
                return false;
        }
    }
    return true;
}

} // namespace calctutor::testing
