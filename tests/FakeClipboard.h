#pragma once
// A clipboard of the test's own, so that tests leave the desktop's alone.

#include "pictures/PictureClipboard.h"

namespace calctutor::testing {

class FakeClipboard final : public PictureClipboard {
public:
    void setImage(const QImage& image) override
    {
        held = image;
        ++placed;
    }
    QImage image() override { return working ? held : QImage(); }

    QImage held;
    int placed = 0;
    bool working = true; // false: reading back gives no image
};

} // namespace calctutor::testing
