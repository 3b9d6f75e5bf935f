#pragma once
// Hands a file to the desktop, which opens it in the program the user chose
// for it (a page in the browser): xdg-open on Linux, ShellExecute on Windows.
// The call does not wait for that program.

#include <optional>
#include <string>

namespace calctutor::native {

// path: UTF-8. Gives why the file could not be handed over, if so.
[[nodiscard]] std::optional<std::string> openWithDesktop(const std::string& path);

} // namespace calctutor::native
