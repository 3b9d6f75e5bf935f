// A picture panel: its user scale, its white background and picture, and the
// kept drawing layer that circles are drawn onto.

#include "WidgetTest.h"
#include "pictures/PicturePanel.h"

#include "Pixels.h"

#include <QPainter>
#include <QtTest>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

// Records what each repaint covers, in device-independent pixels.
class RecordingPanel final : public PicturePanel {
public:
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        painted += event->region();
        PicturePanel::paintEvent(event);
    }
};

// Whether every drawn pixel of the layer lies in region.
bool drawingInside(const QImage& layer, const QRegion& region)
{
    const double ratio = layer.devicePixelRatio();
    for (int y = 0; y < layer.height(); ++y) {
        for (int x = 0; x < layer.width(); ++x) {
            const QPoint at(static_cast<int>(x / ratio), static_cast<int>(y / ratio));
            if (layer.pixelColor(x, y).alpha() != 0 && !region.contains(at))
                return false;
        }
    }
    return true;
}

QColor shownAt(PicturePanel& panel, QPointF at)
{
    const QImage shown = panel.grab().toImage();
    const double ratio = shown.devicePixelRatio();
    return shown.pixelColor(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
}

} // namespace

class PicturePanelTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(PicturePanel().devicePixelRatioF(), expectedScreenDensity()); }

    void userScaleSpreadsAThousandUnitsEachWay()
    {
        PicturePanel panel;
        panel.resize(345, 225);
        // Before the window sets the scale, positions are in twips.
        QCOMPARE(panel.toPixels({1500, 150}), QPointF(100, 10));
        panel.setScale(1000, 1000);
        QCOMPARE(panel.scaleWidth(), 1000.0);
        QCOMPARE(panel.toPixels({500, 500}), QPointF(172.5, 112.5));
        QCOMPARE(panel.toPixels({1000, 1000}), QPointF(345, 225));
        QCOMPARE(panel.pixelsPerHorizontalUnit(), 0.345);
        // The units follow the panel's size.
        panel.resize(200, 100);
        QCOMPARE(panel.toPixels({500, 500}), QPointF(100, 50));
    }

    // A scale that is not square tells the horizontal unit from the vertical
    // one: the circle's radius is in horizontal units and stays round.
    void aScaleThatIsNotSquareKeepsItsTwoUnitsApart()
    {
        PicturePanel panel;
        panel.resize(345, 225);
        panel.setScale(2000, 500);
        QCOMPARE(panel.scaleWidth(), 2000.0);
        QCOMPARE(panel.scaleHeight(), 500.0);
        QCOMPARE(panel.toPixels({1000, 250}), QPointF(172.5, 112.5));
        QCOMPARE(panel.toPixels({2000, 100}), QPointF(345, 45));
        QCOMPARE(panel.pixelsPerHorizontalUnit(), 0.1725);
        panel.drawCircle({1000, 250}, 400); // 69 pixels across and down
        QVERIFY(darkNear(panel.drawing(), {172.5 + 69, 112.5}));
        QVERIFY(darkNear(panel.drawing(), {172.5, 112.5 - 69}));
        QVERIFY(!darkNear(panel.drawing(), {172.5, 112.5 - 69 * 0.5}, 2));
    }

    void showsItsPictureAtTheTopLeftOverWhite()
    {
        PicturePanel panel;
        panel.resize(100, 80);
        QVERIFY(allWhite(panel.grab().toImage()));
        panel.setPicture(filled({40, 30}, Qt::red));
        QCOMPARE(shownAt(panel, {5, 5}), QColor(Qt::red));
        QCOMPARE(shownAt(panel, {39, 29}), QColor(Qt::red));
        QCOMPARE(shownAt(panel, {45, 35}), QColor(Qt::white));
    }

    void circlesGoOntoATransparentLayerAsSharpAsTheScreen()
    {
        PicturePanel panel;
        panel.resize(345, 225);
        panel.setScale(1000, 1000);
        QVERIFY(panel.drawing().isNull());
        panel.drawCircle({500, 500}, 200);
        const QImage& layer = panel.drawing();
        QCOMPARE(layer.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(layer.devicePixelRatio(), panel.devicePixelRatioF());
        QCOMPARE(layer.deviceIndependentSize(), QSizeF(345, 225));
        QVERIFY(darkNear(layer, {172.5 + 69, 112.5}));
        QCOMPARE(layer.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(layer.pixelColor(layer.width() / 2, layer.height() / 2).alpha(), 0);
        // One device-independent pixel wide: about the ring's length in pixels.
        const double ratio = layer.devicePixelRatio();
        const double ring = 2 * 3.1416 * 69 * ratio * ratio;
        QVERIFY(drawnPixels(layer) > 0.8 * ring && drawnPixels(layer) < 1.5 * ring);
    }

    void aCircleOfNoRadiusIsADot()
    {
        PicturePanel panel;
        panel.resize(345, 225);
        panel.setScale(1000, 1000);
        panel.drawCircle({500, 500}, 0);
        QVERIFY(darkNear(panel.drawing(), {172.5, 112.5}, 1));
        const double ratio = panel.drawing().devicePixelRatio();
        QVERIFY(drawnPixels(panel.drawing()) <= 4 * ratio * ratio);
        // A few pixels of radius already make a ring, not a dot.
        PicturePanel small;
        small.resize(345, 225);
        small.setScale(1000, 1000);
        small.drawCircle({500, 500}, 10);
        QVERIFY(darkNear(small.drawing(), {172.5 + 3.45, 112.5}, 1));
        QVERIFY(!darkNear(small.drawing(), {172.5, 112.5}, 1));
    }

    // On screen only what changed is repainted: a new picture whole, and a new
    // circle within its square, outermost pixels and the dot of no radius too.
    void aShownPanelRepaintsWhatChanged_data()
    {
        QTest::addColumn<double>("radius");
        QTest::newRow("no radius") << 0.0;
        QTest::newRow("small") << 57.0;
        QTest::newRow("large") << 200.0;
    }

    void aShownPanelRepaintsWhatChanged()
    {
        QFETCH(double, radius);
        RecordingPanel panel;
        panel.resize(345, 225);
        panel.setScale(1000, 1000);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QCoreApplication::processEvents();

        panel.painted = {};
        panel.setPicture(filled({40, 30}, Qt::red));
        QCoreApplication::processEvents();
        QVERIFY((QRegion(0, 0, 40, 30) - panel.painted).isEmpty());

        panel.painted = {};
        panel.drawCircle({500, 500}, radius);
        QCoreApplication::processEvents();
        QVERIFY(drawingInside(panel.drawing(), panel.painted));
        const double reach = radius * 0.345 + 4;
        QVERIFY(panel.painted.boundingRect().width() <= 2 * reach);
    }

    void drawingsStayOverChangingPicturesAndRepaints()
    {
        PicturePanel panel;
        panel.resize(345, 225);
        panel.setScale(1000, 1000);
        panel.setPicture(filled({345, 225}, Qt::yellow));
        panel.drawCircle({500, 500}, 100);
        const QPointF onRing(172.5 + 34.5, 112.5);
        QVERIFY(isDark(shownAt(panel, onRing)));
        QCOMPARE(shownAt(panel, {172.5, 112.5}), QColor(Qt::yellow));

        panel.setPicture(filled({345, 225}, Qt::cyan));
        panel.show();
        panel.hide();
        QVERIFY(isDark(shownAt(panel, onRing)));
        QCOMPARE(shownAt(panel, {10, 10}), QColor(Qt::cyan));

        // A resized panel keeps what was drawn and draws on at its new size.
        panel.resize(500, 300);
        panel.drawCircle({500, 500}, 100);
        QCOMPARE(panel.drawing().deviceIndependentSize(), QSizeF(500, 300));
        QVERIFY(darkNear(panel.drawing(), onRing));
        QVERIFY(darkNear(panel.drawing(), {250 + 50, 150}));
    }
};

CALCTUTOR_WIDGET_TEST(PicturePanelTest);
#include "PicturePanelTest.moc"
