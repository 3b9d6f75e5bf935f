#include "records/TextCoding.h"

#include "core/Services.h"

#include <algorithm>
#include <cmath>

namespace calctutor {

std::string code(std::string_view text, int /*codeNumber*/)
{
    return std::string(text);
}

std::string decode(std::string_view text, int codeNumber)
{
    std::string result;
    for (const char ch : text) {
        const int c = static_cast<unsigned char>(ch);
        int mapped = -1;
        if (c == 32)
            mapped = 32;
        else if (c < 66)
            mapped = c + 209 - codeNumber;
        else if (c > 118)
            mapped = c - codeNumber - 100;
        if (mapped >= 0 && mapped <= 255)
            result.push_back(static_cast<char>(mapped));
    }
    return result;
}

namespace {

// Rounds half to even, as the record format's code characters require.
char roundedCharacter(double code)
{
    return static_cast<char>(static_cast<unsigned char>(std::nearbyint(code)));
}

} // namespace

std::string makeCodeLine(int codeNumber, RandomSource& random)
{
    std::string line;
    for (int i = 0; i < codeNumber; ++i) {
        if (random.next() < 0.1f)
            line.push_back(roundedCharacter(static_cast<double>(random.next()) * 50 + 66));
        line.push_back(roundedCharacter(static_cast<double>(random.next()) * 137 + 118));
    }
    return line;
}

} // namespace calctutor
