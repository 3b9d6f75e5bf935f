#pragma once
// The one step of replacing a file that differs by system: renaming the
// flushed copy over the target, in a way that survives a power cut.

#include "platform/NativeFiles.h"

namespace calctutor::native {

[[nodiscard]] std::optional<Fault> renameOver(const std::string& from, const std::string& to);

} // namespace calctutor::native
