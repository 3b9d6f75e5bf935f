#include "ui/CaptionButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace calctutor {

namespace {
constexpr int kCaptionFlags = Qt::AlignCenter | Qt::TextWordWrap;
}

CaptionButton::CaptionButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setAutoDefault(false);
}

QRect CaptionButton::captionRect() const
{
    return rect().adjusted(2, 1, -2, -1);
}

bool CaptionButton::captionFits() const
{
    const QRect needed = fontMetrics().boundingRect(captionRect(), kCaptionFlags, text());
    return captionRect().contains(needed);
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setClipRect(captionRect());
    painter.drawText(captionRect(), kCaptionFlags, text());
}

} // namespace calctutor
