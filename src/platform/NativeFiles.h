#pragma once
// The operating system's file calls that the tutor's logic needs, and nothing
// more: one implementation per system (NativeFilesPosix.cpp,
// NativeFilesWindows.cpp), so the rest of the logic is plain C++. Paths are
// Windows-1252 texts as the student typed them; each call converts them for
// the system (UTF-8 on POSIX, UTF-16 on Windows). A failure comes back as the
// system's reason in words, for a message that also names the file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace calctutor::native {

// Why a call failed, in the system's words ("No space left on device").
struct Fault {
    std::string reason;
    // Something other than a plain file of its own stands at the path: a
    // link, a name shared with another file, a folder, a pipe or a device.
    bool notPlainFile = false;
    // Of those, a regular file with more than one name: removing this name
    // leaves the file whole under its others.
    bool sharedName = false;
};

// What stands at a path, as the student should hear it when it is not a file.
// A link counts as what it leads to.
enum class PathKind { Missing, File, Folder, DanglingLink, Special };
struct PathInfo {
    PathKind kind = PathKind::Missing;
    std::string description; // "a folder", "a named pipe (FIFO)", "a link that points nowhere", ...
    // Of a link: the name it holds when it points nowhere, else the full path
    // of what it leads to; empty for anything but a link.
    std::string linkTarget;
    // When the system could not tell what is there (Missing, or DanglingLink
    // for a link whose target cannot be looked at): its reason. Empty when
    // the path, or the link's target, simply does not exist.
    std::string reason;
};
PathInfo inspect(const std::string& path);

// One open file. Opening never blocks (a named pipe does not hang the window)
// and refuses anything that is not a regular file, with a reason that says
// what it is. Every mode but Read also refuses a link (symbolic, or a
// reparse point on Windows) and a file with more than one name (hard link):
// what the tutor writes, cuts or trusts must be that file alone, never
// another file reached through it. Closing releases the lock.
class File {
public:
    enum class Mode {
        Append,         // every write at the end, reads anywhere; the file must exist
        AppendOrCreate, // the same, creating a missing file
        Update,         // read and write, created if missing (the intent record)
        CreateNew,      // write-only, created here and now; anything already there is refused
        ReadOwn,        // read-only, the file must exist; links refused (the tutor's own files)
        Read,           // read-only, the file must exist; a link to a file is followed (the viewers)
    };

    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    [[nodiscard]] static std::optional<Fault> open(const std::string& path, Mode mode, File& into);
    // Read mode for a path in the system's own form, as a folder listing or a
    // command line gives it; never blocks and refuses all but regular files.
    [[nodiscard]] static std::optional<Fault> openForReading(const std::filesystem::path& path, File& into);

    bool isOpen() const;
    // Exclusive advisory lock between processes and between File objects of
    // one process; waits until it is free.
    [[nodiscard]] std::optional<Fault> lock();
    [[nodiscard]] std::optional<Fault> size(std::uint64_t& into) const;
    // Whether the path still names this open file: not renamed, removed or
    // replaced since it was opened.
    bool isAt(const std::string& path) const;
    // All of the bytes or a fault; a partial write is reported with the reason
    // that stopped it. In Append modes the bytes go to the end of the file.
    [[nodiscard]] std::optional<Fault> append(std::string_view bytes);
    // Update mode: the file's contents become exactly these bytes.
    [[nodiscard]] std::optional<Fault> overwrite(std::string_view bytes);
    [[nodiscard]] std::optional<Fault> readAll(std::string& into) const;
    // Up to length bytes from offset on; fewer when the file ends sooner.
    [[nodiscard]] std::optional<Fault> readAt(std::uint64_t offset, std::size_t length, std::string& into) const;
    // The same, added to the end of into rather than replacing it.
    [[nodiscard]] std::optional<Fault> appendAt(std::uint64_t offset, std::size_t length, std::string& into) const;
    [[nodiscard]] std::optional<Fault> truncate(std::uint64_t size);
    // Flushes the file's data to stable storage.
    [[nodiscard]] std::optional<Fault> sync();
    [[nodiscard]] std::optional<Fault> close();

private:
    std::intptr_t m_handle = -1; // a descriptor or a HANDLE
};

// The name of the copy that replaceFile writes beside its target.
inline constexpr std::string_view kReplacementSuffix = ".part";
// Writes the bytes into a fresh copy beside the target (a stale copy is
// removed first, never written through) and renames it over the target,
// flushed first, so the target holds either its old contents or all of the
// new ones.
[[nodiscard]] std::optional<Fault> replaceFile(const std::string& path, std::string_view bytes);
// Reads a whole regular file; Missing when it does not exist.
[[nodiscard]] std::optional<Fault> readFile(const std::string& path, std::string& into);
// Removes a file; a missing file is no fault.
[[nodiscard]] std::optional<Fault> removeFile(const std::string& path);
// Makes a folder's list of names (a file created or removed) survive a power cut.
[[nodiscard]] std::optional<Fault> syncFolder(const std::string& folder);

// Creates the folder, and makes its name outlast a power cut; "exists
// already" and other failures are left to folderProblem.
void tryCreateFolder(const std::string& folder);
// Renames a file, a link or a folder itself (never what a link leads to).
[[nodiscard]] std::optional<Fault> renamePath(const std::string& from, const std::string& to);
// The folder that holds the path ("." for a bare name).
std::string parentFolder(const std::string& path);
// The last part of the path, after the folder.
std::string fileNameOf(const std::string& path);
// Why files cannot be written in the folder ("it does not exist", ...), if so.
std::optional<std::string> folderProblem(const std::string& folder);

// The platform's separator between a folder and a name.
std::string joinPath(const std::string& folder, const std::string& name);
// The longest file name, in the system's own units, that the folder's file
// system takes, and the longest whole path.
std::size_t longestName(const std::string& folder);
std::size_t longestPath(const std::string& folder);
// A file name's length in the system's units (UTF-8 bytes, UTF-16 code units).
std::size_t nativeLength(const std::string& name);
// Those units in words, for messages: "bytes", or "characters" on Windows,
// where every Windows-1252 character takes one UTF-16 unit.
std::string_view lengthUnit();

// Whether standard error goes to a terminal (where a progress line may be redrawn).
bool standardErrorIsTerminal();

// The student's home folder, or "" when there is none.
std::string homeFolder();

// A file size limit ends a process with a signal on POSIX systems unless the
// signal is ignored; ignored, the write that passes the limit fails with
// "File too large" and the record writer takes its entry back.
void ignoreFileSizeSignal();

} // namespace calctutor::native
