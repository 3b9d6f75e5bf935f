#include "core/NumberText.h"

#include <cctype>
#include <charconv>
#include <iterator>

namespace calctutor {

// Numbers are read and written with from_chars and to_chars, which always use
// a point: the window's toolkit switches the C library to the desktop's
// language, and there the decimal separator may be a comma.

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

double leadingNumber(std::string_view text)
{
    std::string number;
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && isBlank(text[i]))
            ++i;
    };
    auto takeDigits = [&] {
        bool any = false;
        for (skipBlanks(); i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); skipBlanks()) {
            number.push_back(text[i++]);
            any = true;
        }
        return any;
    };

    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            number.push_back('-'); // from_chars takes no plus sign
        ++i;
    }
    bool anyDigit = takeDigits();
    if (i < text.size() && text[i] == '.') {
        number.push_back(text[i++]);
        anyDigit = takeDigits() || anyDigit;
    }
    if (!anyDigit)
        return 0.0;
    const std::size_t beforeExponent = number.size();
    const std::size_t restart = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        number.push_back('e');
        ++i;
        skipBlanks();
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            number.push_back(text[i++]);
        if (!takeDigits()) {
            number.resize(beforeExponent);
            i = restart;
        }
    }
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

std::string generalNumber(double value)
{
    char buffer[64];
    const auto written = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 15);
    return {std::begin(buffer), written.ptr};
}

std::string fixedNumber(double value, int decimals)
{
    // Holds any double with as many decimals as the smallest one has digits.
    char buffer[700];
    const auto written = std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::fixed, decimals);
    return {std::begin(buffer), written.ptr};
}

} // namespace calctutor
