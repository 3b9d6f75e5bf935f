#pragma once
// Every message of the start-up to the student, worded in one place: the
// name, the folder and the assignment asked for, and why the tutor cannot go
// on. Texts and paths are Windows-1252.

#include "records/Failure.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace calctutor {

// The name asked for.
std::string unsafeNameMessage(const std::string& unsafe);
std::string nameTooLongMessage(const std::string& longestFile, std::size_t length, std::size_t limit);

// Why the record files cannot go in a folder, after "...: ".
std::string fileNameTooLongReason(const std::string& name, std::size_t nameLength, std::size_t limit);
std::string pathTooLongReason(const std::string& name, std::size_t pathLength, std::size_t limit);

// The folder asked for.
std::string defaultFolderUnusableMessage(const std::string& defaultFolder, const std::string& problem);
std::string folderUnusableMessage(const std::string& folder, const std::string& problem,
                                  const std::string& defaultFolder);

// The assignment asked for.
std::string notInCourseAskAgainMessage(const std::string& number, const std::string& available);
std::string notInCourseEndMessage(const std::string& number);
std::string cannotGoOnMessage(const Failure& failure);

} // namespace calctutor
