#pragma once
// The platform services and the default folder, bundled once by whoever
// starts the tutor (main.cpp, a test, a benchmark) and handed by reference to
// every operation that needs any of them. The record files and the clipboard
// are implemented in the layers above; here they are only named.

#include "core/Services.h"

#include <string>

namespace calctutor {

class RecordFiles;
class PictureClipboard;

struct TutorServices {
    InputBox& input;
    StudentMessages& messages;
    Clock& clock;
    RandomSource& random;
    RecordFiles& files;
    Beep& beep;
    // The picture panels' clipboard; null where no window is shown (the
    // logic's tests and the kill soak), since a clipboard needs Qt's images.
    PictureClipboard* clipboard;
    std::string defaultFolder; // "c:\tesmoril" on Windows, ~/tesmoril elsewhere
};

} // namespace calctutor
