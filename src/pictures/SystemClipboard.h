#pragma once
// The desktop's clipboard, shared with every other program.

#include "pictures/PictureClipboard.h"

namespace calctutor {

class SystemClipboard final : public PictureClipboard {
public:
    void setImage(const QImage& image) override;
    QImage image() override;
};

} // namespace calctutor
