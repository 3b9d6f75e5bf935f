#pragma once
// Reads the course's text files: one file per assignment, each line marked as
// the start of an entry (">text|"), a further line of it ("+text|"), a
// separator ("-"), a comment ("#") or spacing (empty). The format is described
// for course authors in course/FORMAT.md.

#include <string>
#include <string_view>
#include <vector>

namespace calctutor {

struct CourseSource {
    std::string name;    // file name, e.g. "001.course"
    std::string content; // the file's bytes
};

struct CourseEntry {
    std::string text; // lines joined with CR LF
    std::string file;
    int line = 0; // line of the file where the entry starts
};

struct CourseProblem {
    std::string file;
    int line = 0;
    std::string message;
};

struct ParsedCourse {
    std::vector<CourseEntry> entries;
    std::vector<CourseProblem> problems;
};

// Parses the files in the order given; entries follow one another across files.
ParsedCourse parseCourse(const std::vector<CourseSource>& sources);

} // namespace calctutor
