#include "core/PlainText.h"

#include <algorithm>
#include <iterator>

namespace calctutor {

std::string remSpaces(std::string_view text)
{
    std::string result;
    std::copy_if(text.begin(), text.end(), std::back_inserter(result), [](char c) { return c != ' ' && c != '-'; });
    return result;
}

} // namespace calctutor
