#pragma once
// The file-system questions that start-up asks about the output folder.
// Folder names are Windows-1252 texts, as typed.

#include <optional>
#include <string>

namespace calctutor {

// Tries to create the folder; a failure, "exists already" included, is ignored.
void tryCreateFolder(const std::string& folder);

// Why files cannot be written in the folder ("does not exist", ...), if so.
std::optional<std::string> folderProblem(const std::string& folder);

// The folder's name followed by the platform's separator and the file name.
std::string joinPath(const std::string& folder, const std::string& fileName);

} // namespace calctutor
