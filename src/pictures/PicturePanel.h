#pragma once
// A white drawing panel of the main window. It shows a picture (an image over
// the white background) and, over that, what has been drawn on it. Positions
// are given in a user scale of 1000 by 1000 units over the panel's inner area.

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    double m_scaleWidth = 0;
    double m_scaleHeight = 0;
};

} // namespace calctutor
