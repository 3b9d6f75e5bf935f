#pragma once
// The system clipboard as the picture panels use it: place an image, read one.

#include <QImage>

namespace calctutor {

class PictureClipboard {
public:
    virtual ~PictureClipboard() = default;
    virtual void setImage(const QImage& image) = 0;
    virtual QImage image() = 0; // a null image when the clipboard holds none
};

} // namespace calctutor
