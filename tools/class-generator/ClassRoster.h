#pragma once
// The names of a generated class: first and last names, some with letters
// beyond ASCII (José Núñez, Zoë Müller) or an apostrophe, each name once,
// sorted, so that the truth file lists students in the order of their names.

#include "Dice.h"

#include <string>
#include <vector>

namespace calctutor::classgen {

// count names in UTF-8, sorted by their bytes; the same dice give the same names.
std::vector<std::string> classRoster(std::size_t count, Dice& dice);

} // namespace calctutor::classgen
