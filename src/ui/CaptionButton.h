#pragma once
// A push button whose caption wraps onto several lines, centred, as captions
// of the tutor's narrow buttons must ("Next Question / Answer" in 65 pixels).

#include <QPushButton>

namespace calctutor {

class CaptionButton : public QPushButton {
public:
    explicit CaptionButton(const QString& caption, QWidget* parent = nullptr);

    // Whether the whole caption fits inside the button.
    bool captionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect captionRect() const;
};

} // namespace calctutor
