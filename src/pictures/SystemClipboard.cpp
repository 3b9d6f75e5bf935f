#include "pictures/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace calctutor {

void SystemClipboard::setImage(const QImage& image)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);
}

QImage SystemClipboard::image()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard != nullptr ? clipboard->image() : QImage();
}

} // namespace calctutor
