#pragma once
// The course folder's files (course/*.course and course/graphs.txt), compiled
// into the program from the plain-text files by the build
// (cmake/EmbedFiles.cmake), so the tutor needs no files beside it.

#include <string_view>
#include <vector>

namespace calctutor {

struct BuiltInFile {
    std::string_view name;  // e.g. "001.course"
    std::string_view bytes; // the file's contents, byte for byte
};

// Every file of the folder, in name order.
std::vector<BuiltInFile> builtInFiles();

} // namespace calctutor
