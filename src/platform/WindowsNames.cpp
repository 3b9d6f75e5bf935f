#include "platform/WindowsNames.h"

#include <algorithm>
#include <array>

namespace calctutor::native {

namespace {

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool isDeviceNumber(char c)
{
    // Windows counts the superscripts 1, 2 and 3 (Windows-1252 B9, B2, B3) as digits here.
    return (c >= '1' && c <= '9') || c == '\xB9' || c == '\xB2' || c == '\xB3';
}

bool isReservedDevice(std::string_view base)
{
    std::string name(base);
    std::transform(name.begin(), name.end(), name.begin(), upper);
    constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kDevices.begin(), kDevices.end(), name) != kDevices.end())
        return true;
    return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) && isDeviceNumber(name[3]);
}

bool isSeparator(char c)
{
    return c == '\\' || c == '/';
}

} // namespace

std::optional<std::string> windowsNameProblem(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return std::nullopt;
    if (name.back() == '.' || name.back() == ' ')
        return "the name \"" + std::string(name) + "\" ends in a dot or a space, which Windows drops";
    // "con.txt" and "con .txt" are the device too: what counts is the name
    // before the first dot, without the spaces at its end.
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    if (isReservedDevice(base))
        return "the name \"" + std::string(name) + "\" is reserved by Windows for a device";
    return std::nullopt;
}

std::optional<std::string> windowsPathProblem(std::string_view path)
{
    std::size_t start = 0;
    // A drive letter and its colon are not a name.
    if (path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z')))
        start = 2;
    while (start <= path.size()) {
        const auto end = std::find_if(path.begin() + static_cast<std::ptrdiff_t>(start), path.end(), isSeparator);
        const auto length = static_cast<std::size_t>(end - path.begin()) - start;
        if (auto problem = windowsNameProblem(path.substr(start, length)))
            return problem;
        start += length + 1;
    }
    return std::nullopt;
}

} // namespace calctutor::native
