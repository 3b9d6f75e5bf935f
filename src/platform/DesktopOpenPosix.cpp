#include "platform/DesktopOpen.h"

#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h> // environ

namespace calctutor::native {

std::optional<std::string> openWithDesktop(const std::string& path)
{
    std::string program = "xdg-open";
    char* arguments[] = {program.data(), const_cast<char*>(path.c_str()), nullptr};
    pid_t child = 0;
    const int error = ::posix_spawnp(&child, program.c_str(), nullptr, nullptr, arguments, environ);
    if (error != 0)
        return "xdg-open could not be started: " + std::string(std::strerror(error));
    // xdg-open hands the page to the browser and ends; its status says whether it found one.
    int status = 0;
    if (::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) != 0)
        return "xdg-open found no program to open " + path + " (exit status " + std::to_string(WEXITSTATUS(status))
            + ")";
    return std::nullopt;
}

} // namespace calctutor::native
