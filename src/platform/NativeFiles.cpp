#include "platform/NativeFiles.h"
#include "platform/NativeFilesShared.h"

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

std::optional<Fault> faultIf(bool failed)
{
    if (failed)
        return lastFault();
    return std::nullopt;
}

Fault notAFile(const std::string& what)
{
    return {"it is " + what + ", not a file", true};
}

bool createsMissing(File::Mode mode)
{
    return mode == File::Mode::AppendOrCreate || mode == File::Mode::Update;
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
    const std::string partPath = path + std::string(kReplacementSuffix);
    // A copy left by a kill, or a link put in its place, is removed rather
    // than written through: the new copy is always a file of its own.
    std::optional<Fault> fault;
    if (inspect(partPath).kind == PathKind::Folder)
        fault = Fault{"it is a folder, not a file", true};
    if (!fault)
        fault = removeFile(partPath);
    File part;
    if (!fault)
        fault = File::open(partPath, File::Mode::CreateNew, part);
    if (!fault)
        fault = part.append(bytes);
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

std::string parentFolder(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace calctutor::native
