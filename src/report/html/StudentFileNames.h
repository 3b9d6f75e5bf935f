#pragma once
// The names of the student pages, from the students' names: the same on
// Windows and Linux, usable as they stand in a link, and one page per student
// even where two names differ only in what cannot be kept (case, characters
// that file systems refuse). Letters outside ASCII are kept, in UTF-8.

#include <set>
#include <string>
#include <string_view>

namespace calctutor::report {

// The name mapped to a stem that both systems keep and a link can hold:
// ASCII letters, digits, "-", "_" and every letter beyond ASCII stay; spaces,
// dots, <>:"/\|?*, #, % and other marks become "_"; a device name that
// Windows reserves (CON, NUL, COM1...) gets "_" added; an empty result is
// "student"; a long name is cut to 100 bytes at a character boundary.
std::string safeFileStem(std::string_view studentName);

// The stem as it stands in a link: the bytes beyond ASCII percent-encoded
// ("Zo%C3%AB"), which every browser and HTML checker reads the same way.
std::string stemInLink(std::string_view stem);

class StudentFileNames {
public:
    // The stem for the next student, different from every stem given before,
    // also when compared without case: "Ann", then "ANN-2".
    std::string assign(std::string_view studentName);

private:
    std::set<std::string> m_taken; // stems with case folded
};

} // namespace calctutor::report
