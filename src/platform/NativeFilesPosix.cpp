#include "platform/NativeFiles.h"
#include "platform/NativeFilesShared.h"

#include "core/Windows1252.h"
#include "platform/RenameOver.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace calctutor::native {

namespace {

// The C library words an error in the desktop's language and encoding. The
// program's texts are Windows-1252, so the words are converted here, once;
// a language that Windows-1252 cannot spell gets the English words instead.
std::string systemReason(int error)
{
    std::string localised = std::strerror(error); // not const: returned by move
    const bool ascii = std::all_of(localised.begin(), localised.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return localised;
    if (std::string_view(::nl_langinfo(CODESET)) == "UTF-8") {
        Encoded1252 encoded = utf8ToWindows1252(localised);
        if (encoded.ok())
            return std::move(encoded.text);
    }
    const locale_t english = ::newlocale(LC_ALL_MASK, "C", locale_t{});
    if (english == locale_t{})
        return "error " + std::to_string(error);
    std::string words = ::strerror_l(error, english);
    ::freelocale(english);
    return words;
}

Fault systemFault(int error)
{
    return {systemReason(error)};
}

std::string describe(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a named pipe (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISREG(mode))
        return "a file";
    return "something other than a file";
}

// A path that names nothing, as opposed to one whose status is out of reach.
bool notFound(int error)
{
    return error == ENOENT || error == ENOTDIR;
}

// The name a symbolic link holds, as a Windows-1252 text.
std::string linkText(const std::string& native)
{
    char target[PATH_MAX] = {};
    const ssize_t length = ::readlink(native.c_str(), target, sizeof target - 1);
    return utf8ToWindows1252(std::string(target, length > 0 ? static_cast<std::size_t>(length) : 0)).text;
}

// The full path of what a link finally leads to, as a Windows-1252 text.
std::string fullPath(const std::string& native)
{
    char* resolved = ::realpath(native.c_str(), nullptr);
    if (resolved == nullptr)
        return {};
    std::string text = utf8ToWindows1252(resolved).text;
    std::free(resolved); // NOLINT(cppcoreguidelines-no-malloc): realpath allocates with malloc
    return text;
}

// What a symbolic link stands for in a message: where it leads, and what is there.
std::string describeLink(const std::string& native)
{
    const std::string leadsTo = linkText(native);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return "a link that points nowhere (to " + leadsTo + ")";
    if (S_ISREG(info.st_mode))
        return "a link to " + leadsTo;
    return "a link to " + leadsTo + " (" + describe(info.st_mode) + ")";
}

Fault sharedName(nlink_t names)
{
    return {"it is one of " + std::to_string(names)
                + " names of the same file (a hard link), so writing here would change the file under its other "
                  "names too",
            true, true};
}

// Writes at the descriptor's position (or its end, when opened for appending)
// until every byte is written or the system says why not.
std::optional<Fault> writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return systemFault(errno);
        }
        if (written == 0)
            return systemFault(ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

bool followsLinks(File::Mode mode)
{
    return mode == File::Mode::Read;
}

int flagsFor(File::Mode mode)
{
    const int common = O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followsLinks(mode) ? 0 : O_NOFOLLOW);
    switch (mode) {
    case File::Mode::Append:
    // Readable as well, so that an entry's bytes can be checked before they are cut back.
    case File::Mode::AppendOrCreate: return common | O_RDWR | O_APPEND;
    case File::Mode::Update: return common | O_RDWR;
    case File::Mode::CreateNew: return common | O_WRONLY | O_CREAT | O_EXCL;
    case File::Mode::ReadOwn:
    case File::Mode::Read: return common | O_RDONLY;
    }
    return common | O_RDONLY;
}

bool isLink(const std::string& native)
{
    struct stat info {};
    return ::lstat(native.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// What the open descriptor is, into info; anything but a regular file is
// refused and closed, so a pipe or a device is never read or written.
std::optional<Fault> keepOnlyRegular(int fd, struct stat& info)
{
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return systemFault(error);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return notAFile(describe(info.st_mode));
    }
    return std::nullopt;
}

} // namespace

Fault lastFault()
{
    return systemFault(errno);
}

PathInfo inspect(const std::string& path)
{
    const std::string native = windows1252ToUtf8(path);
    struct stat info {};
    if (::lstat(native.c_str(), &info) != 0)
        return {PathKind::Missing, "missing", {}, notFound(errno) ? std::string() : systemReason(errno)};
    PathInfo found;
    if (S_ISLNK(info.st_mode)) {
        if (::stat(native.c_str(), &info) != 0) {
            const int error = errno;
            return {PathKind::DanglingLink, "a link that points nowhere", linkText(native),
                    notFound(error) ? std::string() : systemReason(error)};
        }
        found.linkTarget = fullPath(native);
    }
    found.description = describe(info.st_mode);
    found.kind = S_ISREG(info.st_mode) ? PathKind::File : S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::Special;
    return found;
}

std::optional<Fault> File::open(const std::string& path, Mode mode, File& into)
{
    (void)into.close();
    const std::string native = windows1252ToUtf8(path);
    int fd = ::open(native.c_str(), flagsFor(mode), 0644);
    // Creating with O_EXCL never follows a link, so a dangling link is
    // reported rather than brought to life somewhere else.
    for (int attempt = 0; fd < 0 && errno == ENOENT && createsMissing(mode) && attempt < 3; ++attempt) {
        fd = ::open(native.c_str(), flagsFor(mode) | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && errno == EEXIST) {
            if (inspect(path).kind == PathKind::DanglingLink)
                return notAFile("a link that points nowhere");
            fd = ::open(native.c_str(), flagsFor(mode));
        }
    }
    if (fd < 0) {
        const int error = errno;
        if (!followsLinks(mode) && isLink(native))
            return notAFile(describeLink(native));
        if (mode == File::Mode::CreateNew && error == EEXIST)
            return Fault{"something is already there", true};
        const PathInfo info = inspect(path);
        if (info.kind == PathKind::DanglingLink || info.kind == PathKind::Special
            || (info.kind == PathKind::Folder && error != EACCES))
            return notAFile(info.description);
        return systemFault(error);
    }
    struct stat info {};
    if (std::optional<Fault> fault = keepOnlyRegular(fd, info))
        return fault;
    if (!followsLinks(mode) && info.st_nlink > 1) {
        ::close(fd);
        return sharedName(info.st_nlink);
    }
    // Back to ordinary blocking writes now that it is known to be a file.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    into.m_handle = fd;
    return std::nullopt;
}

std::optional<Fault> File::openForReading(const std::filesystem::path& path, File& into)
{
    (void)into.close();
    const int fd = ::open(path.c_str(), flagsFor(Mode::Read));
    if (fd < 0)
        return systemFault(errno);
    struct stat info {};
    if (std::optional<Fault> fault = keepOnlyRegular(fd, info))
        return fault;
    into.m_handle = fd;
    return std::nullopt;
}

// These change the file, not the handle, so they are not const.
std::optional<Fault> File::lock() // NOLINT(readability-make-member-function-const)
{
    int result = 0;
    do {
        result = ::flock(static_cast<int>(m_handle), LOCK_EX);
    } while (result != 0 && errno == EINTR);
    return faultIf(result != 0);
}

std::optional<Fault> File::size(std::uint64_t& into) const
{
    struct stat info {};
    if (::fstat(static_cast<int>(m_handle), &info) != 0)
        return systemFault(errno);
    into = static_cast<std::uint64_t>(info.st_size);
    return std::nullopt;
}

bool File::isAt(const std::string& path) const
{
    struct stat open {};
    struct stat named {};
    return ::fstat(static_cast<int>(m_handle), &open) == 0 && ::lstat(windows1252ToUtf8(path).c_str(), &named) == 0
        && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

std::optional<Fault> File::append(std::string_view bytes) // NOLINT(readability-make-member-function-const)
{
    return writeAll(static_cast<int>(m_handle), bytes);
}

std::optional<Fault> File::overwrite(std::string_view bytes)
{
    const int fd = static_cast<int>(m_handle);
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return systemFault(errno);
    if (auto fault = writeAll(fd, bytes))
        return fault;
    return truncate(bytes.size());
}

std::optional<Fault> File::readAll(std::string& into) const
{
    const int fd = static_cast<int>(m_handle);
    into.clear();
    char buffer[1 << 16];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return systemFault(errno);
        }
        if (got == 0)
            return std::nullopt;
        into.append(buffer, static_cast<std::size_t>(got));
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
        const ssize_t got = ::pread(static_cast<int>(m_handle), into.data() + start + done, length - done,
                                    static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            into.resize(start);
            return systemFault(errno);
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    into.resize(start + done);
    return std::nullopt;
}

std::optional<Fault> File::truncate(std::uint64_t size) // NOLINT(readability-make-member-function-const)
{
    return faultIf(::ftruncate(static_cast<int>(m_handle), static_cast<off_t>(size)) != 0);
}

std::optional<Fault> File::sync() // NOLINT(readability-make-member-function-const)
{
    // Some file systems (and special files) cannot sync; there is nothing more to do there.
    if (::fsync(static_cast<int>(m_handle)) != 0 && errno != EINVAL && errno != EROFS)
        return systemFault(errno);
    return std::nullopt;
}

std::optional<Fault> File::close()
{
    if (m_handle < 0)
        return std::nullopt;
    return faultIf(::close(static_cast<int>(std::exchange(m_handle, -1))) != 0);
}

std::optional<Fault> renameOver(const std::string& from, const std::string& to)
{
    return faultIf(::rename(windows1252ToUtf8(from).c_str(), windows1252ToUtf8(to).c_str()) != 0);
}

std::optional<Fault> removeFile(const std::string& path)
{
    if (::unlink(windows1252ToUtf8(path).c_str()) != 0 && errno != ENOENT)
        return systemFault(errno);
    return std::nullopt;
}

std::optional<Fault> syncFolder(const std::string& folder)
{
    const int fd = ::open(windows1252ToUtf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemFault(errno);
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (result != 0 && error != EINVAL)
        return systemFault(error);
    return std::nullopt;
}

void tryCreateFolder(const std::string& folder)
{
    // A new folder's name lives in its parent, which must be flushed too.
    if (::mkdir(windows1252ToUtf8(folder).c_str(), 0755) == 0)
        (void)syncFolder(parentFolder(folder));
}

std::optional<Fault> renamePath(const std::string& from, const std::string& to)
{
    return renameOver(from, to);
}

std::optional<std::string> folderProblem(const std::string& folder)
{
    const std::string native = windows1252ToUtf8(folder);
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return errno == ENOENT ? std::string("it does not exist") : systemReason(errno);
    if (!S_ISDIR(info.st_mode))
        return std::string("it is not a folder");
    if (::access(native.c_str(), W_OK | X_OK) != 0)
        return "it cannot be written to (" + systemReason(errno) + ")";
    return std::nullopt;
}

std::string joinPath(const std::string& folder, const std::string& name)
{
    return folder + "/" + name;
}

std::size_t longestName(const std::string& folder)
{
    const long limit = ::pathconf(windows1252ToUtf8(folder).c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

std::size_t longestPath(const std::string& folder)
{
    const long limit = ::pathconf(windows1252ToUtf8(folder).c_str(), _PC_PATH_MAX);
    // The limit counts the terminating NUL.
    return (limit > 0 ? static_cast<std::size_t>(limit) : PATH_MAX) - 1;
}

std::size_t nativeLength(const std::string& name)
{
    return windows1252ToUtf8(name).size();
}

std::string_view lengthUnit()
{
    return "bytes";
}

void ignoreFileSizeSignal()
{
    (void)::signal(SIGXFSZ, SIG_IGN);
}

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    return home != nullptr ? utf8ToWindows1252(home).text : std::string();
}

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace calctutor::native
