#pragma once
// Reads one record file from start to end in chunks, splits it into lines and
// hands them to the entry parser, so a file of any size (a 1 GB file sent by
// mistake) takes bounded memory. Where the bytes come from, a file on disk or
// a member of a zip archive, is left to the ByteSource.

#include "report/EntryParser.h"

#include <optional>
#include <string>

namespace calctutor::report {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Appends up to maxBytes to into, nothing at the end; a fault's reason.
    [[nodiscard]] virtual std::optional<std::string> read(std::string& into, std::size_t maxBytes) = 0;
};

struct ReadLimits {
    std::size_t chunkBytes = std::size_t{1} << 20;
    // Longer entries and lines are skipped and named, so memory stays bounded.
    std::size_t longestEntryBytes = std::size_t{16} << 20;
    // A file whose entries take more is read no further: a student's whole
    // semester is a few megabytes, so this is a file made by other means.
    std::size_t heldBytesPerFile = std::size_t{256} << 20;
};

// The memory a file is read through, kept from one file to the next: a class
// is thousands of files, and fresh buffers of their size cost the system
// more than reading them.
struct ReadBuffers {
    std::string bytes;
    std::vector<std::string_view> lines;
};

FileReading readRecordFile(ByteSource& source, const std::string& path, const std::string& name,
                           const CourseIndex& course, const ReadLimits& limits, ReadBuffers& buffers);
FileReading readRecordFile(ByteSource& source, const std::string& path, const std::string& name,
                           const CourseIndex& course, const ReadLimits& limits);

// A whole text in memory as a source, for tests and small inputs.
class TextSource : public ByteSource {
public:
    explicit TextSource(std::string text) : m_text(std::move(text)) {}
    std::optional<std::string> read(std::string& into, std::size_t maxBytes) override;

private:
    std::string m_text;
    std::size_t m_at = 0;
};

} // namespace calctutor::report
