#include "core/NumberText.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace calctutor {

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
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number.push_back(text[i++]);
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
    return std::strtod(number.c_str(), nullptr);
}

std::string generalNumber(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

} // namespace calctutor
