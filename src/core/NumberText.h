#pragma once
// Reading and writing numbers in texts the way the tutor's records need them:
// the leading number of a typed text, and a number in general format.

#include <string>
#include <string_view>

namespace calctutor {

// The value of the longest start of the text that reads as a decimal number,
// blanks being skipped anywhere in it; 0 when the text does not start with one.
// "7x" gives 7, " 1 2" gives 12, "abc" gives 0.
double leadingNumber(std::string_view text);

// Up to 15 significant digits, no digit grouping, no decimal point for whole
// numbers: 50002 gives "50002", -3 gives "-3", 2.5 gives "2.5".
std::string generalNumber(double value);

// A fixed number of decimals, always with a point: 2.5 with 2 gives "2.50",
// 40 with 0 gives "40".
std::string fixedNumber(double value, int decimals);

} // namespace calctutor
