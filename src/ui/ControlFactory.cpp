#include "ui/ControlFactory.h"

#include "pictures/PicturePanel.h"
#include "ui/CaptionButton.h"
#include "ui/ControlLayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace calctutor {

namespace {

QFont boxFont()
{
    QFont font(QStringLiteral("System"));
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Bold);
    return font;
}

QPlainTextEdit* makeTextBox(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setFont(boxFont());
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    return box;
}

bool captionFits(const QWidget& widget, const QString& caption)
{
    const QRect needed = widget.fontMetrics().boundingRect(widget.rect(), Qt::AlignLeft | Qt::TextWordWrap, caption);
    return widget.rect().contains(needed);
}

QWidget* makeControl(const ControlSpec& control, QWidget* parent)
{
    const QString caption = QString::fromUtf8(control.caption.data(), static_cast<qsizetype>(control.caption.size()));
    switch (control.kind) {
    case ControlKind::Button: return new CaptionButton(caption, parent);
    case ControlKind::MultiLineText: {
        QPlainTextEdit* box = makeTextBox(parent);
        box->setPlainText(caption);
        return box;
    }
    case ControlKind::SingleLineText: return new QLineEdit(caption, parent);
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Picture: return new PicturePanel(parent);
    case ControlKind::List: return new QListWidget(parent);
    }
    return nullptr;
}

// Tab and Shift+Tab follow the table's tab indexes; labels take no focus.
void chainTabOrder(const QHash<QString, QWidget*>& controls)
{
    QWidget* previous = nullptr;
    for (int tab = 0; tab < static_cast<int>(kControls.size()); ++tab) {
        for (const ControlSpec& control : kControls) {
            if (control.tabIndex != tab || control.kind == ControlKind::Label)
                continue;
            QWidget* widget = controls.value(QString::fromStdString(controlName(control)));
            if (previous != nullptr)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
}

} // namespace

QHash<QString, QWidget*> buildControls(QWidget& window)
{
    QHash<QString, QWidget*> controls;
    for (const ControlSpec& control : kControls) {
        QWidget* widget = makeControl(control, &window);
        const QString name = QString::fromStdString(controlName(control));
        widget->setObjectName(name);
        widget->setGeometry(toPixels(control.left), toPixels(control.top), toPixels(control.width),
                            toPixels(control.height));
        widget->setAccessibleName(QString::fromStdString(accessibleNameOf(control)));
        const QString caption = QString::fromUtf8(control.caption.data(),
                                                  static_cast<qsizetype>(control.caption.size()));
        const bool fits = control.kind == ControlKind::Button ? static_cast<CaptionButton*>(widget)->captionFits()
                                                              : captionFits(*widget, caption);
        if ((control.kind == ControlKind::Button || control.kind == ControlKind::Label) && !fits)
            widget->setToolTip(caption);
        controls.insert(name, widget);
    }
    controls.value(QStringLiteral("Picture1"))
        ->setAccessibleDescription(
            QStringLiteral("Shows the graph of the current assignment and the timer experiment's circles"));
    controls.value(QStringLiteral("Picture2"))
        ->setAccessibleDescription(QStringLiteral("Shows the picture copied from the left panel"));
    chainTabOrder(controls);
    return controls;
}

} // namespace calctutor
