#include "platform/NativeFiles.h"

#include <utility>

// What every system's files share; the system calls are in NativeFilesPosix.cpp
// and NativeFilesWindows.cpp. A handle of -1 is no file on both.
namespace calctutor::native {

File::File(File&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        (void)close();
        m_handle = std::exchange(other.m_handle, -1);
    }
    return *this;
}

File::~File()
{
    (void)close();
}

bool File::isOpen() const
{
    return m_handle != -1;
}

std::optional<Fault> readFile(const std::string& path, std::string& into)
{
    File file;
    if (auto fault = File::open(path, File::Mode::Read, file))
        return fault;
    return file.readAll(into);
}

} // namespace calctutor::native
