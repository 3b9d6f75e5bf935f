#include "pictures/PicturePanel.h"

#include <QPainter>

namespace calctutor {

PicturePanel::PicturePanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
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

void PicturePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_picture.isNull())
        painter.drawImage(QPoint(0, 0), m_picture);
}

} // namespace calctutor
