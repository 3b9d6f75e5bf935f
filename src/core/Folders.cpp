#include "core/Folders.h"

#include "core/Windows1252.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace calctutor {

void tryCreateFolder(const std::string& folder)
{
    (void)::mkdir(windows1252ToUtf8(folder).c_str(), 0755);
}

std::optional<std::string> folderProblem(const std::string& folder)
{
    const std::string native = windows1252ToUtf8(folder);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return errno == ENOENT ? std::string("it does not exist") : std::string(std::strerror(errno));
    if (!S_ISDIR(info.st_mode))
        return std::string("it is not a folder");
    if (::access(native.c_str(), W_OK | X_OK) != 0)
        return "it cannot be written to (" + std::string(std::strerror(errno)) + ")";
    return std::nullopt;
}

std::string joinPath(const std::string& folder, const std::string& fileName)
{
#ifdef _WIN32
    return folder + "\\" + fileName;
#else
    return folder + "/" + fileName;
#endif
}

} // namespace calctutor
