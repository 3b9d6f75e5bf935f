// What the picture buttons, the graph routines and the timer do to the two
// panels: copy-picture through the clipboard, one circle and one beep per
// tick, and the course's graphs in the left panel.

#include "pictures/PictureController.h"
#include "pictures/PicturePanel.h"

#include "../FakeClipboard.h"
#include "../Fakes.h"
#include "Pixels.h"

#include <QPainter>
#include <QtTest>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

// The two panels at their size in the window, with the scale the window sets.
struct Pictures {
    Pictures()
    {
        picture1.resize(345, 225);
        picture2.resize(337, 225);
        picture1.setScale(1000, 1000);
        picture2.setScale(1000, 1000);
    }
    PicturePanel picture1;
    PicturePanel picture2;
    ScriptedRandom random;
    CountedBeep beep;
    FakeClipboard clipboard;
    PictureController controller{picture1, picture2, random, beep, clipboard};
};

QImage pattern(QColor colour)
{
    QImage image(345, 225, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    QPainter painter(&image);
    painter.fillRect(20, 20, 60, 40, Qt::darkGreen);
    return image;
}

bool samePixels(const QImage& a, const QImage& b)
{
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

// Like the desktop's clipboard: only pixels travel, not the screen density.
class PixelsOnlyClipboard final : public PictureClipboard {
public:
    void setImage(const QImage& image) override
    {
        held = image.copy();
        held.setDevicePixelRatio(1);
    }
    QImage image() override { return held; }
    QImage held;
};

} // namespace

class PictureControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(PicturePanel().devicePixelRatioF(), expectedScreenDensity()); }

    void copyPicture_data()
    {
        QTest::addColumn<bool>("picture1HasPicture");
        QTest::addColumn<bool>("clipboardGivesItBack");
        QTest::addColumn<bool>("picture2HadPicture");
        QTest::addColumn<int>("placedOnClipboard");
        QTest::addColumn<bool>("picture2GetsCopy");

        QTest::newRow("copies into an empty panel") << true << true << false << 1 << true;
        QTest::newRow("replaces the picture before") << true << true << true << 1 << true;
        QTest::newRow("no picture: nothing happens") << false << true << true << 0 << false;
        QTest::newRow("no picture, empty panel stays empty") << false << true << false << 0 << false;
        QTest::newRow("clipboard gives no image back") << true << false << true << 1 << false;
    }

    void copyPicture()
    {
        QFETCH(bool, picture1HasPicture);
        QFETCH(bool, clipboardGivesItBack);
        QFETCH(bool, picture2HadPicture);
        QFETCH(int, placedOnClipboard);
        QFETCH(bool, picture2GetsCopy);

        Pictures pictures;
        const QImage original = picture1HasPicture ? pattern(Qt::yellow) : QImage();
        const QImage before = picture2HadPicture ? pattern(Qt::cyan) : QImage();
        pictures.picture1.setPicture(original);
        pictures.picture2.setPicture(before);
        pictures.clipboard.working = clipboardGivesItBack;
        pictures.random.add(0.5f);
        pictures.controller.tick(); // a drawing over Picture1's picture

        pictures.controller.copyPicture();

        QCOMPARE(pictures.clipboard.placed, placedOnClipboard);
        const QImage& shown = pictures.picture2.picture();
        QVERIFY(samePixels(shown, picture2GetsCopy ? original : before));
        QVERIFY(samePixels(pictures.picture1.picture(), original));
        // Only the picture travels: what was drawn over it stays in Picture1.
        QVERIFY(pictures.picture2.drawing().isNull());
        QVERIFY(!darkNear(pictures.picture2.grab().toImage(), {172.5 + 86.25, 112.5}, 2));
        QVERIFY(darkNear(pictures.picture1.drawing(), {172.5 + 86.25, 112.5}));
    }

    void copyKeepsThePicturesSizeOnHighDensityScreens()
    {
        Pictures pictures;
        PixelsOnlyClipboard clipboard;
        PictureController controller(pictures.picture1, pictures.picture2, pictures.random, pictures.beep, clipboard);
        QImage dense = pattern(Qt::yellow).scaled(690, 450);
        dense.setDevicePixelRatio(2);
        pictures.picture1.setPicture(dense);
        controller.copyPicture();
        QCOMPARE(pictures.picture2.picture().devicePixelRatio(), 2.0);
        QCOMPARE(pictures.picture2.picture().deviceIndependentSize(), QSizeF(345, 225));
    }

    void tickDrawsACircleAboutTheMiddle_data()
    {
        QTest::addColumn<float>("draw");
        QTest::newRow("half") << 0.5f;
        QTest::newRow("small") << 0.1f;
        QTest::newRow("nearly the largest") << 0.999f;
    }

    void tickDrawsACircleAboutTheMiddle()
    {
        QFETCH(float, draw);
        Pictures pictures;
        pictures.random.add(draw);
        pictures.controller.tick();

        QCOMPARE(pictures.beep.beeps, 1);
        QCOMPARE(pictures.random.remaining(), std::size_t{0});
        // radius = draw * 500 horizontal units = draw * 172.5 pixels, across and down
        const QPointF middle(172.5, 112.5);
        const double radius = draw * 172.5;
        const QImage& layer = pictures.picture1.drawing();
        QVERIFY(darkNear(layer, middle + QPointF(radius, 0)));
        QVERIFY(darkNear(layer, middle - QPointF(radius, 0)));
        if (radius < 112)
            QVERIFY(darkNear(layer, middle - QPointF(0, radius)));
        QVERIFY(!darkNear(layer, middle, 1));
        QVERIFY(!darkNear(layer, middle + QPointF(radius / 2, 0), 1));
        QVERIFY(pictures.picture2.drawing().isNull());
        QVERIFY(allWhite(pictures.picture2.grab().toImage()));
    }

    void ticksAddCirclesAndBeepEachTime()
    {
        Pictures pictures;
        for (const float draw : {0.2f, 0.4f, 0.0f, 0.6f})
            pictures.random.add(draw);
        for (int i = 0; i < 4; ++i)
            pictures.controller.tick();
        QCOMPARE(pictures.beep.beeps, 4);
        const QImage& layer = pictures.picture1.drawing();
        for (const double radius : {34.5, 69.0, 103.5})
            QVERIFY2(darkNear(layer, QPointF(172.5 + radius, 112.5)), qPrintable(QString::number(radius)));
        // A draw of 0 leaves a dot at the middle.
        QVERIFY(darkNear(layer, QPointF(172.5, 112.5), 1));
    }

    void graphsBecomePicture1sPicture()
    {
        Pictures pictures;
        pictures.random.add(0.3f);
        pictures.controller.tick();
        const int drawn = drawnPixels(pictures.picture1.drawing());

        pictures.controller.showGraph(2);
        const QImage stock = pictures.picture1.picture();
        QVERIFY(!stock.isNull());
        QCOMPARE(stock.devicePixelRatio(), pictures.picture1.devicePixelRatioF());
        QCOMPARE(stock.deviceIndependentSize(), QSizeF(345, 225));
        QVERIFY(!allWhite(stock));

        pictures.controller.showGraph(3);
        const QImage water = pictures.picture1.picture();
        QVERIFY(!water.isNull());
        QVERIFY(!samePixels(stock, water));

        // The course has no graph 1: the routine leaves the panels alone.
        pictures.controller.showGraph(1);
        QCOMPARE(pictures.picture1.picture().cacheKey(), water.cacheKey());
        QVERIFY(pictures.picture2.picture().isNull());
        QCOMPARE(drawnPixels(pictures.picture1.drawing()), drawn);
    }

    void graphOneOnAFreshPanelShowsNothing()
    {
        Pictures pictures;
        pictures.controller.showGraph(1);
        QVERIFY(pictures.picture1.picture().isNull());
        QVERIFY(pictures.picture1.drawing().isNull());
        QVERIFY(pictures.picture2.picture().isNull());
    }
};

QTEST_MAIN(PictureControllerTest)
#include "PictureControllerTest.moc"
