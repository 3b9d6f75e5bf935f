#pragma once
// Stand-ins for the services that a benchmark does not measure: messages go
// to standard error, the beep and the clipboard do nothing.

#include "core/Services.h"
#include "pictures/PictureClipboard.h"

#include <QImage>

#include <cstdio>

namespace calctutor::benchmarks {

class PrintedMessages final : public StudentMessages {
public:
    void tell(std::string_view message) override
    {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(message.size()), message.data());
    }
};

class NoBeep final : public Beep {
public:
    void beep() override {}
};

class NoClipboard final : public PictureClipboard {
public:
    void setImage(const QImage&) override {}
    QImage image() override { return {}; }
};

} // namespace calctutor::benchmarks
