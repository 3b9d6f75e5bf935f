#pragma once
// Clipboards of the tests' and benchmarks' own, so that they leave the
// desktop's alone.

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

// Takes nothing and gives nothing back.
class NoClipboard final : public PictureClipboard {
public:
    void setImage(const QImage&) override {}
    QImage image() override { return {}; }
};

} // namespace calctutor::testing
