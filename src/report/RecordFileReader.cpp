#include "report/RecordFileReader.h"

#include <algorithm>

namespace calctutor::report {

std::optional<std::string> TextSource::read(std::string& into, std::size_t maxBytes)
{
    const std::size_t count = std::min(maxBytes, m_text.size() - m_at);
    into.append(m_text, m_at, count);
    m_at += count;
    return std::nullopt;
}

namespace {

// Splits bytes into lines, each without its LF and a CR before it.
void splitLines(std::string_view bytes, std::vector<std::string_view>& lines)
{
    lines.clear();
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        bytes.remove_prefix(end + 1);
    }
}

std::string megabytes(std::size_t bytes)
{
    return std::to_string(bytes >> 20) + " MB";
}

} // namespace

FileReading readRecordFile(ByteSource& source, const std::string& path, const std::string& name,
                           const CourseIndex& course, const ReadLimits& limits)
{
    ReadBuffers buffers;
    return readRecordFile(source, path, name, course, limits, buffers);
}

FileReading readRecordFile(ByteSource& source, const std::string& path, const std::string& name,
                           const CourseIndex& course, const ReadLimits& limits, ReadBuffers& buffers)
{
    FileReading reading;
    reading.path = path;
    reading.name = name;
    RecordText text;
    EntryParser parser(reading, course, text);
    std::string& buffer = buffers.bytes;
    std::vector<std::string_view>& lines = buffers.lines;
    buffer.clear();
    lines.clear();
    std::size_t lineNumber = 1;
    bool firstChunk = true;
    bool dropping = false; // within a line too long to hold
    for (bool atEnd = false; !atEnd;) {
        const std::size_t before = buffer.size();
        if (auto fault = source.read(buffer, limits.chunkBytes)) {
            reading.problems.push_back({path, lineNumber, "reading stopped here: " + *fault});
            buffer.resize(before);
            atEnd = true;
        }
        atEnd = atEnd || buffer.size() == before;
        std::string_view fresh = std::string_view(buffer).substr(before);
        if (dropping) {
            const std::size_t end = fresh.find('\n');
            buffer.erase(before, end == std::string_view::npos ? std::string::npos : end + 1);
            if (end == std::string_view::npos && !atEnd)
                continue;
            dropping = false;
            ++lineNumber;
            fresh = std::string_view(buffer).substr(before);
        }
        const std::size_t skip = text.look(fresh, firstChunk);
        if (firstChunk && !fresh.empty()) {
            buffer.erase(0, skip);
            firstChunk = false;
        }

        const std::size_t lastNewline = buffer.rfind('\n');
        const std::size_t complete = atEnd ? buffer.size() : (lastNewline == std::string::npos ? 0 : lastNewline + 1);
        splitLines(std::string_view(buffer).substr(0, complete), lines);
        const std::size_t used = parser.parse(lines, lineNumber, !atEnd);
        std::size_t consumed = used < lines.size() ? static_cast<std::size_t>(lines[used].data() - buffer.data())
                                                   : complete;
        lineNumber += used;
        if (!atEnd && buffer.size() >= limits.longestEntryBytes) {
            if (complete == 0) {
                parser.skipped(lineNumber, lineNumber, "a line longer than " + megabytes(limits.longestEntryBytes));
                dropping = true;
                consumed = buffer.size();
            } else if (used == 0) {
                parser.skipped(lineNumber, lineNumber + lines.size() - 1,
                               "an entry longer than " + megabytes(limits.longestEntryBytes));
                lineNumber += lines.size();
                consumed = complete;
            }
        }
        buffer.erase(0, consumed);
        if (reading.heldBytes > limits.heldBytesPerFile) {
            reading.problems.push_back({path, lineNumber,
                                        "the entries up to here take more than " + megabytes(limits.heldBytesPerFile)
                                            + " of memory; the rest of the file is not read"});
            break;
        }
    }
    parser.finish();
    reading.lines = lineNumber - 1;
    if (buffer.capacity() > 2 * limits.chunkBytes) // an overlong entry's room is not kept for the next file
        std::string().swap(buffer);
    if (text.coding() == RecordText::Coding::Utf8)
        reading.problems.push_back({path, 0,
                                    text.hadByteOrderMark()
                                        ? "re-saved as UTF-8 with a byte-order mark by an editor; read as UTF-8"
                                        : "re-saved as UTF-8 by an editor; read as UTF-8"});
    return reading;
}

} // namespace calctutor::report
