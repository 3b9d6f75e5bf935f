#pragma once
// What the two systems' file calls share, for NativeFiles*.cpp alone; the
// rest of the program goes through NativeFiles.h.

#include "platform/NativeFiles.h"

#include <optional>
#include <string>

namespace calctutor::native {

// The reason of the system call that just failed (errno, GetLastError()),
// one definition per system.
Fault lastFault();
// That reason when the call failed, else nothing.
std::optional<Fault> faultIf(bool failed);
// The refusal of what is not a plain file: "it is a folder, not a file".
Fault notAFile(const std::string& what);
// Whether opening in this mode creates a missing file.
bool createsMissing(File::Mode mode);

} // namespace calctutor::native
