#include "records/RecordFiles.h"

#include "core/Windows1252.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace calctutor {

namespace {

struct OpenFile {
    std::string path;   // as the student sees it (Windows-1252)
    std::string native; // as the file system takes it
    int fd = -1;
    off_t sizeBefore = 0;
    bool regular = false;
    bool created = false;
};

std::string reason(int error)
{
    return std::strerror(error);
}

RecordError failure(const std::string& what, const OpenFile& file, int error)
{
    return {what + " " + file.path + ": " + reason(error) + "."};
}

class DiskPendingAppend final : public PendingAppend {
public:
    explicit DiskPendingAppend(std::vector<OpenFile> files) : m_files(std::move(files)) {}
    ~DiskPendingAppend() override { closeAll(); }

    std::optional<RecordError> commit(const std::vector<std::string>& texts) override
    {
        std::optional<RecordError> error;
        for (std::size_t i = 0; i < m_files.size() && i < texts.size() && !error; ++i)
            error = writeWhole(m_files[i], texts[i]);
        for (std::size_t i = 0; i < m_files.size() && !error; ++i) {
            if (::fsync(m_files[i].fd) != 0 && errno != EINVAL && errno != EROFS)
                error = failure("The record file could not be saved to disk:", m_files[i], errno);
        }
        if (error) {
            rollBack();
            return error;
        }
        for (OpenFile& file : m_files) {
            const int fd = std::exchange(file.fd, -1);
            if (::close(fd) != 0 && !error) {
                error = failure("The record file could not be closed:", file, errno);
            }
        }
        if (error) {
            for (const OpenFile& file : m_files) {
                if (file.regular)
                    (void)::truncate(file.native.c_str(), file.sizeBefore);
            }
        }
        return error;
    }

private:
    static std::optional<RecordError> writeWhole(const OpenFile& file, const std::string& text)
    {
        if (text.empty())
            return std::nullopt;
        const ssize_t written = ::write(file.fd, text.data(), text.size());
        if (written < 0)
            return failure("The record file could not be written:", file, errno);
        if (static_cast<std::size_t>(written) != text.size())
            return failure("The record file could only be written in part:", file, ENOSPC);
        return std::nullopt;
    }

    // Cuts every file back to what it held before this entry.
    void rollBack()
    {
        for (OpenFile& file : m_files) {
            if (file.fd < 0)
                continue;
            if (file.regular) {
                (void)::ftruncate(file.fd, file.sizeBefore);
                (void)::fsync(file.fd);
            }
        }
        closeAll();
        for (const OpenFile& file : m_files) {
            if (file.created && file.regular)
                (void)::unlink(file.native.c_str());
        }
    }

    void closeAll()
    {
        for (OpenFile& file : m_files) {
            if (file.fd >= 0)
                (void)::close(std::exchange(file.fd, -1));
        }
    }

    std::vector<OpenFile> m_files;
};

} // namespace

RecordFiles::Opened DiskRecordFiles::open(const std::vector<std::string>& paths)
{
    std::vector<OpenFile> files;
    auto giveUp = [&](RecordError error) {
        for (OpenFile& file : files) {
            (void)::close(file.fd);
            if (file.created)
                (void)::unlink(file.native.c_str());
        }
        return Opened{nullptr, std::move(error)};
    };
    for (const std::string& path : paths) {
        OpenFile file;
        file.path = path;
        file.native = windows1252ToUtf8(path);
        // Remember whether this entry created the file, so that a failed entry
        // leaves no empty file behind; another tutor may create it meanwhile.
        for (int attempt = 0; attempt < 3 && file.fd < 0; ++attempt) {
            file.fd = ::open(file.native.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
            if (file.fd >= 0 || errno != ENOENT)
                break;
            file.fd = ::open(file.native.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_CREAT | O_EXCL, 0644);
            file.created = file.fd >= 0;
            if (file.fd < 0 && errno != EEXIST)
                break;
        }
        if (file.fd < 0)
            return giveUp(failure("The record file cannot be opened:", file, errno));
        struct stat info {};
        if (::fstat(file.fd, &info) != 0) {
            const int error = errno;
            files.push_back(file);
            return giveUp(failure("The record file cannot be examined:", file, error));
        }
        file.regular = S_ISREG(info.st_mode);
        file.sizeBefore = info.st_size;
        files.push_back(std::move(file));
    }
    return Opened{std::make_unique<DiskPendingAppend>(std::move(files)), {}};
}

std::optional<RecordError> appendEntry(RecordFiles& files, const std::vector<std::string>& paths,
                                       const std::vector<std::string>& texts)
{
    RecordFiles::Opened opened = files.open(paths);
    if (!opened.pending)
        return opened.error;
    return opened.pending->commit(texts);
}

} // namespace calctutor
