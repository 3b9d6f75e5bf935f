#include "platform/NativeFiles.h"

#include "platform/RenameOver.h"

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

std::optional<Fault> replaceFile(const std::string& path, std::string_view bytes)
{
    const std::string partPath = path + ".part";
    File part;
    std::optional<Fault> fault = File::open(partPath, File::Mode::Update, part);
    if (!fault)
        fault = part.overwrite(bytes);
    if (!fault)
        fault = part.sync();
    if (!fault)
        fault = part.close();
    if (!fault)
        fault = renameOver(partPath, path);
    if (fault) {
        (void)part.close();
        if (inspect(partPath).kind == PathKind::File)
            (void)removeFile(partPath);
    }
    return fault;
}

} // namespace calctutor::native
