#pragma once
// The strict fakes of Fakes.h bundled as the tutor's services, over the real
// record files. No clipboard: the logic's tests build without Qt; a widget
// test points services.clipboard at one of its own.

#include "core/TutorServices.h"
#include "records/RecordFiles.h"

#include "Fakes.h"

namespace calctutor::testing {

// Script the fakes through their members and set services.defaultFolder
// where start-up is run.
struct FakeServices {
    FakeServices() = default;
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    ScriptedInput input;
    RecordedMessages messages;
    FixedClock clock;
    ScriptedRandom random;
    DiskRecordFiles files;
    CountedBeep beep;
    TutorServices services{input, messages, clock, random, files, beep, nullptr, {}};
};

} // namespace calctutor::testing
