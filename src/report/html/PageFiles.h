#pragma once
// The page templates, style sheet and script (templates/), compiled into the
// program from their plain-text files by the build (cmake/EmbedFiles.cmake).

#include "script/BuiltInFiles.h"

#include <vector>

namespace calctutor::report {

// Every file of the templates folder, in name order.
std::vector<BuiltInFile> pageFiles();

} // namespace calctutor::report
