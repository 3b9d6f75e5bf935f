#pragma once
// Checks a parsed course against the rules the tutor relies on: numbered
// headers, one assignment per file, markers, routine names, separators and
// lengths. Every fault comes back as a message naming the file and line.

#include "script/CourseFile.h"

#include <vector>

namespace calctutor {

inline constexpr std::size_t kLongestEntry = 1600;

std::vector<CourseProblem> checkCourse(const ParsedCourse& course);

} // namespace calctutor
