// What the picture buttons, the graph routines and the timer do to the two
// panels: copy-picture through the clipboard, one circle and one beep per
// tick, and the course's graphs in the left panel.

#include "WidgetTest.h"
#include "pictures/PictureController.h"
#include "pictures/PicturePanel.h"
#include "pictures/SystemClipboard.h"

#include "FakeClipboard.h"
#include "Fakes.h"
#include "Pixels.h"

#include <QClipboard>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <cmath>

using namespace calctutor;
using namespace calctutor::testing;

namespace {

// The two panels at their size in the window, with the scale the window sets.
struct Pictures {
    Pictures()
    {
        left.resize(345, 225);
        right.resize(337, 225);
        left.setScale(1000, 1000);
        right.setScale(1000, 1000);
    }
    PicturePanel left;
    PicturePanel right;
    ScriptedRandom random;
    CountedBeep beep;
    FakeClipboard clipboard;
    PictureController controller{left, right, random, beep, clipboard};
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

// Antialiased over white, the graph's data colour stays clearly blue.
bool isDataColoured(QColor colour)
{
    return colour.blue() - colour.red() > 50 && colour.blue() - colour.green() > 25;
}

// An axis pixel: dark, or covered by the curve where it runs along an axis.
bool onAxis(const QImage& picture, int x, int y)
{
    const QColor colour = picture.pixelColor(x, y);
    return isDark(colour) || isDataColoured(colour);
}

// The plot's frame in device pixels, as the picture draws it: the vertical axis
// is the leftmost column with a run of axis pixels over half the picture's
// height, and the horizontal axis is the longest such run to the right from
// that column near its foot (the tick below the axis lengthens the column's run).
struct Frame {
    int left = -1;
    int top = -1;
    int right = -1;
    int bottom = -1;
};

Frame frameOf(const QImage& picture)
{
    Frame frame;
    for (int x = 0; x < picture.width() && frame.left < 0; ++x) {
        int runStart = 0;
        for (int y = 0; y <= picture.height(); ++y) {
            if (y < picture.height() && onAxis(picture, x, y))
                continue;
            if (y - runStart > picture.height() / 2) {
                frame = {x, runStart, x, y - 1};
                break;
            }
            runStart = y + 1;
        }
    }
    if (frame.left < 0)
        return frame;
    const int foot = frame.bottom;
    for (int y = foot; y >= std::max(frame.top, foot - 12); --y) {
        int right = frame.left;
        while (right + 1 < picture.width() && onAxis(picture, right + 1, y))
            ++right;
        if (right > frame.right) {
            frame.right = right;
            frame.bottom = y;
        }
    }
    return frame;
}

// The data-coloured pixels, in device pixels.
QList<QPoint> dataPixels(const QImage& picture)
{
    QList<QPoint> found;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (isDataColoured(picture.pixelColor(x, y)))
                found << QPoint(x, y);
        }
    }
    return found;
}

bool dataNear(const QList<QPoint>& data, QPointF at, double reach)
{
    return std::any_of(data.begin(), data.end(), [&](QPoint p) {
        return std::abs(p.x() - at.x()) <= reach && std::abs(p.y() - at.y()) <= reach;
    });
}

// Whether every data pixel lies in the frame, markers and antialiasing allowed for.
bool dataInside(const QList<QPoint>& data, const Frame& frame, double reach)
{
    return std::all_of(data.begin(), data.end(), [&](QPoint p) {
        return p.x() >= frame.left - reach && p.x() <= frame.right + reach && p.y() >= frame.top - reach
            && p.y() <= frame.bottom + reach;
    });
}

// The bounding box of the dark pixels within area, in device pixels.
QRect darkBounds(const QImage& picture, QRect area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (picture.valid(x, y) && isDark(picture.pixelColor(x, y)))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// The tallest run of data-coloured pixels in a column, over the columns of area.
int tallestDataColumn(const QImage& picture, QRect area)
{
    int tallest = 0;
    for (int x = area.left(); x <= area.right(); ++x) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            count += picture.valid(x, y) && isDataColoured(picture.pixelColor(x, y)) ? 1 : 0;
        tallest = std::max(tallest, count);
    }
    return tallest;
}

// How many separate dark runs lie on the line of count pixels from start,
// one step apart: the tick marks along an axis.
int darkRuns(const QImage& picture, QPoint start, QPoint step, int count)
{
    int runs = 0;
    bool inRun = false;
    for (QPoint at = start; count-- > 0; at += step) {
        const bool dark = picture.valid(at) && isDark(picture.pixelColor(at));
        runs += dark && !inRun ? 1 : 0;
        inRun = dark;
    }
    return runs;
}

// How many bands of text lie below the tick marks of the horizontal axis,
// under the plot: the tick labels and the axis label must not run together.
int textBandsBelow(const QImage& picture, const Frame& frame)
{
    const int belowTicks = frame.bottom + static_cast<int>(6 * picture.devicePixelRatio());
    int bands = 0;
    bool inBand = false;
    for (int y = belowTicks; y < picture.height(); ++y) {
        bool inked = false;
        for (int x = frame.left; x <= frame.right && !inked; ++x)
            inked = isDark(picture.pixelColor(x, y));
        bands += inked && !inBand ? 1 : 0;
        inBand = inked;
    }
    return bands;
}

} // namespace

class PictureControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(PicturePanel().devicePixelRatioF(), expectedScreenDensity()); }

    void copyPicture_data()
    {
        QTest::addColumn<bool>("leftHasPicture");
        QTest::addColumn<bool>("clipboardGivesItBack");
        QTest::addColumn<bool>("rightHadPicture");
        QTest::addColumn<int>("placedOnClipboard");
        QTest::addColumn<bool>("rightGetsCopy");

        QTest::newRow("copies into an empty panel") << true << true << false << 1 << true;
        QTest::newRow("replaces the picture before") << true << true << true << 1 << true;
        QTest::newRow("no picture: nothing happens") << false << true << true << 0 << false;
        QTest::newRow("no picture, empty panel stays empty") << false << true << false << 0 << false;
        QTest::newRow("clipboard gives no image back") << true << false << true << 1 << false;
    }

    void copyPicture()
    {
        QFETCH(bool, leftHasPicture);
        QFETCH(bool, clipboardGivesItBack);
        QFETCH(bool, rightHadPicture);
        QFETCH(int, placedOnClipboard);
        QFETCH(bool, rightGetsCopy);

        Pictures pictures;
        const QImage original = leftHasPicture ? pattern(Qt::yellow) : QImage();
        const QImage before = rightHadPicture ? pattern(Qt::cyan) : QImage();
        pictures.left.setPicture(original);
        pictures.right.setPicture(before);
        pictures.clipboard.working = clipboardGivesItBack;
        pictures.random.add(0.5f);
        pictures.controller.tick(); // a drawing over the left panel.s picture

        pictures.controller.copyPicture();

        QCOMPARE(pictures.clipboard.placed, placedOnClipboard);
        const QImage& shown = pictures.right.picture();
        QVERIFY(samePixels(shown, rightGetsCopy ? original : before));
        QVERIFY(samePixels(pictures.left.picture(), original));
        // Only the picture travels: what was drawn over it stays in the left panel.
        QVERIFY(pictures.right.drawing().isNull());
        QVERIFY(!darkNear(pictures.right.grab().toImage(), {172.5 + 86.25, 112.5}, 2));
        QVERIFY(darkNear(pictures.left.drawing(), {172.5 + 86.25, 112.5}));
    }

    // The test platform's clipboard stands in for the desktop's: after the copy
    // it holds the left panel.s picture instead of what another program put there.
    void copyGoesThroughTheSystemClipboard()
    {
        Pictures pictures;
        SystemClipboard clipboard;
        PictureController controller(pictures.left, pictures.right, pictures.random, pictures.beep, clipboard);
        QGuiApplication::clipboard()->setText(QStringLiteral("another program's text"));
        pictures.left.setPicture(pattern(Qt::yellow));
        controller.copyPicture();
        QVERIFY(samePixels(QGuiApplication::clipboard()->image(), pattern(Qt::yellow)));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        QVERIFY(samePixels(pictures.right.picture(), pattern(Qt::yellow)));
    }

    void copyKeepsThePicturesSizeOnHighDensityScreens()
    {
        Pictures pictures;
        PixelsOnlyClipboard clipboard;
        PictureController controller(pictures.left, pictures.right, pictures.random, pictures.beep, clipboard);
        QImage dense = pattern(Qt::yellow).scaled(690, 450);
        dense.setDevicePixelRatio(2);
        pictures.left.setPicture(dense);
        controller.copyPicture();
        QCOMPARE(pictures.right.picture().devicePixelRatio(), 2.0);
        QCOMPARE(pictures.right.picture().deviceIndependentSize(), QSizeF(345, 225));
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
        const QImage& layer = pictures.left.drawing();
        QVERIFY(darkNear(layer, middle + QPointF(radius, 0)));
        QVERIFY(darkNear(layer, middle - QPointF(radius, 0)));
        if (radius < 112)
            QVERIFY(darkNear(layer, middle - QPointF(0, radius)));
        QVERIFY(!darkNear(layer, middle, 1));
        QVERIFY(!darkNear(layer, middle + QPointF(radius / 2, 0), 1));
        QVERIFY(pictures.right.drawing().isNull());
        QVERIFY(allWhite(pictures.right.grab().toImage()));
    }

    void ticksAddCirclesAndBeepEachTime()
    {
        Pictures pictures;
        for (const float draw : {0.2f, 0.4f, 0.0f, 0.6f})
            pictures.random.add(draw);
        for (int i = 0; i < 4; ++i)
            pictures.controller.tick();
        QCOMPARE(pictures.beep.beeps, 4);
        const QImage& layer = pictures.left.drawing();
        for (const double radius : {34.5, 69.0, 103.5})
            QVERIFY2(darkNear(layer, QPointF(172.5 + radius, 112.5)), qPrintable(QString::number(radius)));
        // A draw of 0 leaves a dot at the middle.
        QVERIFY(darkNear(layer, QPointF(172.5, 112.5), 1));
    }

    void graphsBecomeTheLeftPanelsPicture()
    {
        Pictures pictures;
        pictures.random.add(0.3f);
        pictures.controller.tick();
        const int drawn = drawnPixels(pictures.left.drawing());

        pictures.controller.showGraph(2);
        const QImage stock = pictures.left.picture();
        QVERIFY(!stock.isNull());
        QCOMPARE(stock.devicePixelRatio(), pictures.left.devicePixelRatioF());
        QCOMPARE(stock.deviceIndependentSize(), QSizeF(345, 225));
        // The stock's value rises from month 0, on the vertical axis, inside the plot.
        const double ratio = stock.devicePixelRatio();
        const Frame frame = frameOf(stock);
        QVERIFY(frame.left > 20 * ratio && frame.right > 300 * ratio && frame.bottom > 180 * ratio);
        const QList<QPoint> data = dataPixels(stock);
        QVERIFY(dataInside(data, frame, 4 * ratio));
        const auto [leftmost, rightmost] = std::minmax_element(data.begin(), data.end(),
                                                               [](QPoint a, QPoint b) { return a.x() < b.x(); });
        QVERIFY(std::abs(leftmost->x() - frame.left) <= 4 * ratio);
        QVERIFY(rightmost->y() < leftmost->y() - 50 * ratio);
        const int dense = qRound(ratio);
        // Each point is marked by a dot 5 pixels across, thicker than the line.
        const int marker = tallestDataColumn(
            stock, QRect(rightmost->x() - 4 * dense, rightmost->y() - 6 * dense, 4 * dense + 1, 12 * dense + 1));
        QVERIFY2(marker >= 4 * ratio && marker <= 6 * ratio, qPrintable(QString::number(marker)));
        // White all round; the bold title centred above the plot; the vertical
        // label reading upwards at the left edge, centred on the plot's height.
        QCOMPARE(stock.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(stock.pixelColor(stock.width() - 1, stock.height() - 1), QColor(Qt::white));
        QFont titleFont;
        titleFont.setPixelSize(11);
        titleFont.setBold(true);
        const QString title = QString::fromStdString(findGraph(builtInGraphs().graphs, 2)->title);
        const QRect titleInk = darkBounds(stock, QRect(0, 0, stock.width(), 18 * dense));
        QVERIFY(std::abs(titleInk.width() / ratio - QFontMetricsF(titleFont).horizontalAdvance(title)) <= 3);
        QVERIFY(std::abs(titleInk.center().x() / ratio - 172.5) <= 2);
        const QRect yLabelInk = darkBounds(stock, QRect(0, 0, 17 * dense, stock.height()));
        QVERIFY(yLabelInk.top() > frame.top && yLabelInk.bottom() < frame.bottom);
        QVERIFY(std::abs(yLabelInk.center().y() - (frame.top + frame.bottom) / 2) <= 3 * ratio);

        pictures.controller.showGraph(3);
        const QImage water = pictures.left.picture();
        QVERIFY(!water.isNull());
        QVERIFY(!samePixels(stock, water));

        // Graph 1 is a bare routine without a picture: it leaves the panels alone.
        pictures.controller.showGraph(1);
        QCOMPARE(pictures.left.picture().cacheKey(), water.cacheKey());
        QVERIFY(pictures.right.picture().isNull());
        QCOMPARE(drawnPixels(pictures.left.drawing()), drawn);
    }

    // The water's depth falls from 100 cm at t = 0 to 0 cm at t = 100 s: the
    // curve runs from the top of the vertical axis to the end of the horizontal
    // one, through (50 s, 25 cm), and stays inside the plot.
    void waterGraphIsDrawnInsideItsPlot()
    {
        Pictures pictures;
        pictures.controller.showGraph(3);
        const QImage water = pictures.left.picture();
        const double ratio = water.devicePixelRatio();
        const Frame frame = frameOf(water);
        QVERIFY(frame.left > 20 * ratio && frame.top > 10 * ratio);
        QVERIFY(frame.right > 300 * ratio && frame.right < water.width());
        QVERIFY(frame.bottom > 180 * ratio && frame.bottom < water.height() - 15 * ratio);
        QCOMPARE(textBandsBelow(water, frame), 2);
        // Ticks every 10 s and every 20 cm, each with its round label, and the
        // time label centred under the plot.
        const int dense = qRound(ratio);
        QCOMPARE(darkRuns(water, {frame.left - 2, frame.bottom + 3 * dense}, {1, 0}, frame.right - frame.left + 4), 11);
        QCOMPARE(darkRuns(water, {frame.left - 3 * dense, frame.top - 2}, {0, 1}, frame.bottom - frame.top + 4), 6);
        QFont labelFont;
        labelFont.setPixelSize(11);
        const QString xLabel = QString::fromStdString(findGraph(builtInGraphs().graphs, 3)->xLabel);
        const QRect xLabelInk = darkBounds(water, QRect(0, water.height() - 16 * dense, water.width(), 16 * dense));
        QVERIFY(std::abs(xLabelInk.width() / ratio - QFontMetricsF(labelFont).horizontalAdvance(xLabel)) <= 3);
        QVERIFY(std::abs(xLabelInk.center().x() - (frame.left + frame.right) / 2) <= 2 * dense);

        const QList<QPoint> data = dataPixels(water);
        QVERIFY(dataNear(data, QPointF(frame.left, frame.top), 3 * ratio));
        QVERIFY(dataNear(data, QPointF(frame.right, frame.bottom), 3 * ratio));
        const QPointF halfway(frame.left + 0.5 * (frame.right - frame.left),
                              frame.bottom - 0.25 * (frame.bottom - frame.top));
        QVERIFY(dataNear(data, halfway, 3 * ratio));
        QVERIFY(!dataNear(data, QPointF(frame.right, frame.top), 20 * ratio));
        QVERIFY(dataInside(data, frame, 4 * ratio));
    }

    void graphOneOnAFreshPanelShowsNothing()
    {
        Pictures pictures;
        pictures.controller.showGraph(1);
        QVERIFY(pictures.left.picture().isNull());
        QVERIFY(pictures.left.drawing().isNull());
        QVERIFY(pictures.right.picture().isNull());
    }
};

CALCTUTOR_WIDGET_TEST(PictureControllerTest);
#include "PictureControllerTest.moc"
