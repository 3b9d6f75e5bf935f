#pragma once
// The names that Windows does not keep as typed: the device names it reserves
// in every folder ("CON", "nul.txt", "COM1") and names that end in a dot or a
// space, which it silently drops. Plain text rules, so they are checked the
// same way wherever the tests run; the Windows file calls refuse such paths.

#include <optional>
#include <string>
#include <string_view>

namespace calctutor::native {

// Why Windows would not keep this one name, if so.
std::optional<std::string> windowsNameProblem(std::string_view name);

// The same for every name along a path, with "\" or "/" between names. A drive
// ("c:"), "." and ".." pass.
std::optional<std::string> windowsPathProblem(std::string_view path);

} // namespace calctutor::native
