#include "pictures/PictureController.h"

#include "core/Services.h"
#include "pictures/GraphPicture.h"
#include "pictures/PictureClipboard.h"
#include "pictures/PicturePanel.h"

#include <QtDebug>

namespace calctutor {

namespace {

// Centre and greatest radius of the experiment's circles, in user units.
constexpr QPointF kCircleCentre(500, 500);
constexpr double kMaxCircleRadius = 500;

} // namespace

PictureController::PictureController(PicturePanel& left, PicturePanel& right, RandomSource& random, Beep& beep,
                                     PictureClipboard& clipboard)
    : m_left(left), m_right(right), m_random(random), m_beep(beep), m_clipboard(clipboard)
{
    ParsedGraphs parsed = builtInGraphs();
    // The data file is built in and checked by the tests; a fault that slips
    // through costs the student only a picture, so it is logged, not shown.
    for (const GraphProblem& problem : parsed.problems)
        qWarning("graphs.txt line %d: %s", problem.line, problem.message.c_str());
    m_graphs = std::move(parsed.graphs);
}

void PictureController::showGraph(int graphNumber)
{
    const Graph* graph = findGraph(m_graphs, graphNumber);
    if (graph == nullptr || graph->points.empty())
        return;
    const QImage picture = renderGraph(*graph, m_left.size(), m_left.devicePixelRatioF());
    if (!picture.isNull())
        m_left.setPicture(picture);
}

void PictureController::copyPicture()
{
    const QImage& original = m_left.picture();
    if (original.isNull())
        return;
    m_clipboard.setImage(original);
    QImage copy = m_clipboard.image();
    if (copy.isNull())
        return;
    // The clipboard carries pixels only; an image that comes back at the same
    // size gets its density back, so it shows at the same size as the original.
    if (copy.size() == original.size())
        copy.setDevicePixelRatio(original.devicePixelRatio());
    m_right.setPicture(copy);
}

void PictureController::tick()
{
    m_beep.beep();
    const double r = m_random.next();
    m_left.drawCircle(kCircleCentre, r * kMaxCircleRadius);
}

} // namespace calctutor
