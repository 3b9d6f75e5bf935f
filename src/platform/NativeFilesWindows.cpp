#include "platform/NativeFiles.h"
#include "platform/NativeFilesShared.h"

#include "core/Windows1252.h"
#include "platform/RenameOver.h"
#include "platform/WindowsNames.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace calctutor::native {

namespace {

std::wstring toWide(const std::string& text)
{
    const std::string utf8 = windows1252ToUtf8(text);
    if (utf8.empty())
        return {};
    const int units = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return wide;
}

// UTF-16 from the system as a Windows-1252 text; characters it cannot hold are left out.
std::string fromWide(const wchar_t* wide, int units)
{
    if (units <= 0)
        return {};
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8.data(), bytes, nullptr, nullptr);
    return utf8ToWindows1252(utf8).text;
}

// The system's own words for an error, in English where the system has them,
// without the full stop and line break that it ends them with.
std::string errorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD units = 0;
    const DWORD english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    const DWORD usersOwn = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
    for (const DWORD language : {english, usersOwn}) {
        units = ::FormatMessageW(flags, nullptr, error, language, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
        if (units > 0)
            break;
    }
    std::string text = fromWide(buffer, static_cast<int>(units));
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty())
        text = "Windows error " + std::to_string(error);
    return text;
}

Fault systemFault(DWORD error)
{
    return {errorText(error)};
}

} // namespace

Fault lastFault()
{
    return systemFault(::GetLastError());
}

namespace {

Fault sharedName(DWORD names)
{
    return {"it is one of " + std::to_string(names)
                + " names of the same file (a hard link), so writing here would change the file under its other "
                  "names too",
            true, true};
}

bool isMissingError(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Paths into the device namespace ("\\.\COM1", "\\?\GLOBALROOT\...") name
// devices and volumes, never a record file.
bool isDevicePath(const std::string& path)
{
    return path.size() >= 4 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/')
        && (path[2] == '.' || path[2] == '?') && (path[3] == '\\' || path[3] == '/');
}

// A path that Windows would not take as typed: a device, or a name it would change.
std::optional<Fault> pathFault(const std::string& path)
{
    if (isDevicePath(path))
        return notAFile("a device");
    if (auto problem = windowsPathProblem(path))
        return Fault{*problem};
    return std::nullopt;
}

HANDLE handleOf(std::intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

// A position for ReadFile and WriteFile; all ones means "at the end of the file".
OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}
constexpr std::uint64_t kEndOfFile = ~std::uint64_t{0};

// Writes at the offset (or at the end, for kEndOfFile) until every byte is
// written or the system says why not.
std::optional<Fault> writeAll(HANDLE handle, std::string_view bytes, std::uint64_t offset)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        OVERLAPPED position = at(offset);
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), chunk, &written, &position))
            return lastFault();
        if (written == 0)
            return systemFault(ERROR_DISK_FULL);
        bytes.remove_prefix(written);
        if (offset != kEndOfFile)
            offset += written;
    }
    return std::nullopt;
}

DWORD accessFor(File::Mode mode)
{
    switch (mode) {
    // FILE_WRITE_DATA as well, because locking, flushing and cutting back need
    // it, and reading, to check an entry's bytes before they are cut back;
    // every write still goes to the end (see File::append).
    case File::Mode::Append:
    case File::Mode::AppendOrCreate: return FILE_APPEND_DATA | GENERIC_WRITE | GENERIC_READ | FILE_READ_ATTRIBUTES;
    case File::Mode::Update: return GENERIC_READ | GENERIC_WRITE;
    case File::Mode::CreateNew: return GENERIC_WRITE;
    case File::Mode::ReadOwn:
    case File::Mode::Read: return GENERIC_READ;
    }
    return GENERIC_READ;
}

bool followsLinks(File::Mode mode)
{
    return mode == File::Mode::Read;
}

// Other programs (a viewer, an editor, a second tutor) may read, write and
// rename the file while it is open, as on other systems.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The full path of the file or folder an open handle reaches, without the
// "\\?\" prefix that the system gives it.
std::string fullPath(HANDLE handle)
{
    std::wstring buffer(MAX_PATH, L'\0');
    DWORD units = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (units >= buffer.size()) {
        buffer.resize(units);
        units = ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    if (units == 0 || units >= buffer.size())
        return {};
    buffer.resize(units);
    if (buffer.rfind(LR"(\\?\UNC\)", 0) == 0)
        buffer.replace(0, 8, LR"(\\)");
    else if (buffer.rfind(LR"(\\?\)", 0) == 0)
        buffer.erase(0, 4);
    return fromWide(buffer.data(), static_cast<int>(buffer.size()));
}

// The layout of a symbolic link's or a junction's reparse data, as the
// driver kit's headers declare it.
struct LinkReparseData {
    ULONG tag;
    USHORT dataLength;
    USHORT reserved;
    USHORT substituteOffset;
    USHORT substituteLength;
    USHORT printOffset;
    USHORT printLength;
};

// The name a link holds, as the student would have typed it; "" when it cannot be read.
std::string linkText(const std::wstring& wide)
{
    const HANDLE link = ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (link == INVALID_HANDLE_VALUE)
        return {};
    std::vector<unsigned char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    const bool read = ::DeviceIoControl(link, FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                                        static_cast<DWORD>(buffer.size()), &got, nullptr)
        != 0;
    ::CloseHandle(link);
    LinkReparseData header{};
    if (!read || got < sizeof header)
        return {};
    std::memcpy(&header, buffer.data(), sizeof header);
    // A symbolic link's names follow a flags field that a junction's lack.
    std::size_t names = sizeof header;
    if (header.tag == IO_REPARSE_TAG_SYMLINK)
        names += sizeof(ULONG);
    else if (header.tag != IO_REPARSE_TAG_MOUNT_POINT)
        return {};
    const std::size_t start = names + header.printOffset;
    if (header.printLength == 0 || start + header.printLength > got)
        return {};
    std::wstring name(header.printLength / sizeof(wchar_t), L'\0');
    std::memcpy(name.data(), buffer.data() + start, header.printLength);
    return fromWide(name.data(), static_cast<int>(name.size()));
}

// Without following links, FILE_FLAG_OPEN_REPARSE_POINT opens a link (or any
// other reparse point) itself, so that it can be seen and refused.
HANDLE openHandle(const std::wstring& path, DWORD access, DWORD disposition, bool followLinks = true)
{
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    return ::CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition, flags, nullptr);
}

// The lock is one byte far beyond any record file's end: Windows locks keep
// other handles from the bytes they cover, and readers must still read.
constexpr DWORD kLockOffsetHigh = 0x7FFFFFFF;
constexpr DWORD kLockOffsetLow = 0xFFFFFF00;

// Why an open handle is not a file the tutor may use, if so; the handle is
// then closed. Where links are not followed, a link or a second name of a
// file is refused too.
std::optional<Fault> refusalOf(HANDLE handle, bool follow)
{
    const DWORD type = ::GetFileType(handle);
    BY_HANDLE_FILE_INFORMATION info{};
    std::optional<Fault> refusal;
    if (type == FILE_TYPE_PIPE)
        refusal = notAFile("a named pipe");
    else if (type != FILE_TYPE_DISK)
        refusal = notAFile("a device");
    else if (!::GetFileInformationByHandle(handle, &info))
        refusal = lastFault();
    else if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        refusal = notAFile("a folder");
    else if (!follow && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        refusal = notAFile("a link (a reparse point)");
    else if (!follow && info.nNumberOfLinks > 1)
        refusal = sharedName(info.nNumberOfLinks);
    if (refusal)
        ::CloseHandle(handle);
    return refusal;
}

} // namespace

PathInfo inspect(const std::string& path)
{
    if (pathFault(path))
        return {PathKind::Special, "a device", {}, {}};
    const std::wstring wide = toWide(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = ::GetLastError();
        return {PathKind::Missing, "missing", {}, isMissingError(error) ? std::string() : errorText(error)};
    }
    std::string leadsTo;
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // A link: what counts is what it leads to.
        const HANDLE target = ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (target == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (isMissingError(error))
                return {PathKind::DanglingLink, "a link that points nowhere", linkText(wide), {}};
            return {PathKind::Missing, "missing", {}, errorText(error)};
        }
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = ::GetFileInformationByHandle(target, &info) != 0;
        leadsTo = fullPath(target);
        ::CloseHandle(target);
        if (known)
            data.dwFileAttributes = info.dwFileAttributes;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return {PathKind::Folder, "a folder", leadsTo, {}};
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0)
        return {PathKind::Special, "a device", leadsTo, {}};
    return {PathKind::File, "a file", leadsTo, {}};
}

std::optional<Fault> File::open(const std::string& path, Mode mode, File& into)
{
    (void)into.close();
    if (auto fault = pathFault(path))
        return fault;
    const std::wstring wide = toWide(path);
    const DWORD access = accessFor(mode);
    const bool follow = followsLinks(mode);
    HANDLE handle = openHandle(wide, access, mode == File::Mode::CreateNew ? CREATE_NEW : OPEN_EXISTING, follow);
    // CREATE_NEW never follows a link, so a dangling link is reported rather
    // than brought to life somewhere else.
    for (int attempt = 0; handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND
         && createsMissing(mode) && attempt < 3;
         ++attempt) {
        if (inspect(path).kind == PathKind::DanglingLink)
            return notAFile("a link that points nowhere");
        handle = openHandle(wide, access, CREATE_NEW, follow);
        if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS)
            handle = openHandle(wide, access, OPEN_EXISTING, follow);
    }
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (mode == File::Mode::CreateNew && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS))
            return Fault{"something is already there", true};
        const PathInfo info = inspect(path);
        // Windows refuses to open a folder as a file with "Access is denied".
        if (info.kind == PathKind::DanglingLink || info.kind == PathKind::Special || info.kind == PathKind::Folder)
            return notAFile(info.description);
        return systemFault(error);
    }
    if (std::optional<Fault> refusal = refusalOf(handle, follow))
        return refusal;
    into.m_handle = reinterpret_cast<std::intptr_t>(handle);
    return std::nullopt;
}

std::optional<Fault> File::openForReading(const std::filesystem::path& path, File& into)
{
    (void)into.close();
    const HANDLE handle = openHandle(path.wstring(), GENERIC_READ, OPEN_EXISTING);
    if (handle == INVALID_HANDLE_VALUE)
        return lastFault();
    if (std::optional<Fault> refusal = refusalOf(handle, true))
        return refusal;
    into.m_handle = reinterpret_cast<std::intptr_t>(handle);
    return std::nullopt;
}

std::optional<Fault> File::lock()
{
    OVERLAPPED position{};
    position.Offset = kLockOffsetLow;
    position.OffsetHigh = kLockOffsetHigh;
    // Without LOCKFILE_FAIL_IMMEDIATELY this waits until the lock is free.
    return faultIf(!::LockFileEx(handleOf(m_handle), LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &position));
}

std::optional<Fault> File::size(std::uint64_t& into) const
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handleOf(m_handle), &size))
        return lastFault();
    into = static_cast<std::uint64_t>(size.QuadPart);
    return std::nullopt;
}

bool File::isAt(const std::string& path) const
{
    if (pathFault(path))
        return false;
    const HANDLE named = ::CreateFileW(toWide(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (named == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION open{};
    BY_HANDLE_FILE_INFORMATION there{};
    const bool known = ::GetFileInformationByHandle(handleOf(m_handle), &open)
        && ::GetFileInformationByHandle(named, &there);
    ::CloseHandle(named);
    return known && open.dwVolumeSerialNumber == there.dwVolumeSerialNumber
        && open.nFileIndexHigh == there.nFileIndexHigh && open.nFileIndexLow == there.nFileIndexLow;
}

std::optional<Fault> File::append(std::string_view bytes)
{
    // An explicit end-of-file position: the bytes land after whatever another
    // program appended meanwhile, as with FILE_APPEND_DATA alone.
    return writeAll(handleOf(m_handle), bytes, kEndOfFile);
}

std::optional<Fault> File::overwrite(std::string_view bytes)
{
    if (auto fault = writeAll(handleOf(m_handle), bytes, 0))
        return fault;
    return truncate(bytes.size());
}

std::optional<Fault> File::readAll(std::string& into) const
{
    into.clear();
    char buffer[1 << 16];
    for (std::uint64_t offset = 0;;) {
        OVERLAPPED position = at(offset);
        DWORD got = 0;
        if (!::ReadFile(handleOf(m_handle), buffer, sizeof buffer, &got, &position)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                return std::nullopt;
            return lastFault();
        }
        if (got == 0)
            return std::nullopt;
        into.append(buffer, got);
        offset += got;
    }
}

std::optional<Fault> File::readAt(std::uint64_t offset, std::size_t length, std::string& into) const
{
    into.clear();
    return appendAt(offset, length, into);
}

std::optional<Fault> File::appendAt(std::uint64_t offset, std::size_t length, std::string& into) const
{
    const std::size_t start = into.size();
    into.resize(start + length);
    std::size_t done = 0;
    while (done < length) {
        OVERLAPPED position = at(offset + done);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(length - done, 1 << 20));
        DWORD got = 0;
        if (!::ReadFile(handleOf(m_handle), into.data() + start + done, chunk, &got, &position)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            into.resize(start);
            return lastFault();
        }
        if (got == 0)
            break;
        done += got;
    }
    into.resize(start + done);
    return std::nullopt;
}

std::optional<Fault> File::truncate(std::uint64_t size)
{
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
    if (::SetFileInformationByHandle(handleOf(m_handle), FileEndOfFileInfo, &end, sizeof end))
        return std::nullopt;
    // Older file systems take the end only from the file position.
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(handleOf(m_handle), position, nullptr, FILE_BEGIN))
        return lastFault();
    return faultIf(!::SetEndOfFile(handleOf(m_handle)));
}

std::optional<Fault> File::sync()
{
    return faultIf(!::FlushFileBuffers(handleOf(m_handle)));
}

std::optional<Fault> File::close()
{
    if (m_handle == -1)
        return std::nullopt;
    const HANDLE handle = handleOf(std::exchange(m_handle, -1));
    // Windows frees a closed handle's locks only eventually; a waiting tutor should not wait for that.
    OVERLAPPED position{};
    position.Offset = kLockOffsetLow;
    position.OffsetHigh = kLockOffsetHigh;
    (void)::UnlockFileEx(handle, 0, 1, 0, &position);
    return faultIf(!::CloseHandle(handle));
}

std::optional<Fault> renameOver(const std::string& from, const std::string& to)
{
    if (auto fault = pathFault(to))
        return fault;
    if (!::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastFault();
    return std::nullopt;
}

std::optional<Fault> removeFile(const std::string& path)
{
    if (auto fault = pathFault(path))
        return fault;
    if (!::DeleteFileW(toWide(path).c_str()) && !isMissingError(::GetLastError()))
        return lastFault();
    return std::nullopt;
}

std::optional<Fault> syncFolder(const std::string& folder)
{
    if (auto fault = pathFault(folder))
        return fault;
    const HANDLE handle = ::CreateFileW(toWide(folder).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // Only a missing folder matters: NTFS logs its changes to the list of
        // names itself, and some systems refuse write access to folders.
        const DWORD error = ::GetLastError();
        return isMissingError(error) ? std::optional<Fault>(systemFault(error)) : std::nullopt;
    }
    (void)::FlushFileBuffers(handle);
    ::CloseHandle(handle);
    return std::nullopt;
}

void tryCreateFolder(const std::string& folder)
{
    // A new folder's name lives in its parent, which must be flushed too.
    if (!pathFault(folder) && ::CreateDirectoryW(toWide(folder).c_str(), nullptr))
        (void)syncFolder(parentFolder(folder));
}

std::optional<Fault> renamePath(const std::string& from, const std::string& to)
{
    if (auto fault = pathFault(from))
        return fault;
    if (auto fault = pathFault(to))
        return fault;
    // MoveFileExW renames a link itself, never what it leads to.
    if (!::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastFault();
    return std::nullopt;
}

std::optional<std::string> folderProblem(const std::string& folder)
{
    if (auto fault = pathFault(folder))
        return fault->reason;
    const std::wstring wide = toWide(folder);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return isMissingError(error) ? std::string("it does not exist") : errorText(error);
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return std::string("it is not a folder");
    // Windows decides by the folder's access list, so the honest test is to
    // create a file there, which is removed again when its handle closes.
    const std::wstring probe = wide + L"\\calctutor-" + std::to_wstring(::GetCurrentProcessId()) + L".probe";
    const HANDLE handle = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS)
            return "it cannot be written to (" + errorText(error) + ")";
    } else {
        ::CloseHandle(handle);
    }
    return std::nullopt;
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    return folder + "\\" + name;
}

std::size_t longestName(const std::string& folder)
{
    wchar_t root[MAX_PATH + 1] = {};
    DWORD longest = 0;
    if (::GetVolumePathNameW(toWide(folder).c_str(), root, MAX_PATH + 1)
        && ::GetVolumeInformationW(root, nullptr, 0, nullptr, &longest, nullptr, nullptr, 0) && longest > 0)
        return longest;
    return 255; // NTFS, FAT32 and exFAT alike
}

std::size_t longestPath(const std::string&)
{
    // Paths are passed without the "\\?\" prefix, so the classic limit holds;
    // it counts the terminating NUL.
    return MAX_PATH - 1;
}

std::size_t nativeLength(const std::string& name)
{
    return toWide(name).size();
}

std::string_view lengthUnit()
{
    return "characters";
}

void ignoreFileSizeSignal()
{
    // Windows has no file size limit signal.
}

std::string homeFolder()
{
    const DWORD units = ::GetEnvironmentVariableW(L"USERPROFILE", nullptr, 0);
    if (units == 0)
        return {};
    std::wstring home(units, L'\0');
    const DWORD written = ::GetEnvironmentVariableW(L"USERPROFILE", home.data(), units);
    return fromWide(home.data(), static_cast<int>(written));
}

bool standardErrorIsTerminal()
{
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

} // namespace calctutor::native
