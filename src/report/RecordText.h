#pragma once
// How one record file's bytes are turned into UTF-8 text. The tutor writes
// Windows-1252; a file that starts with a UTF-8 byte-order mark, or whose
// first non-ASCII bytes are valid UTF-8, was re-saved by an editor and is read
// as UTF-8. The decision is made once per file, at its first non-ASCII bytes.

#include <span>
#include <string>
#include <string_view>

namespace calctutor::report {

class RecordText {
public:
    enum class Coding { Undecided, Windows1252, Utf8 };

    // Each chunk of the file in order, before its lines are decoded; returns
    // the number of leading bytes to skip (a byte-order mark).
    std::size_t look(std::string_view chunk, bool firstChunk);
    // One line (no line end) as UTF-8.
    std::string decode(std::string_view line) const;
    void appendDecoded(std::string_view line, std::string& into) const;
    // Lines of the file, without their line ends, as UTF-8 with "\n" between
    // them; whether any of them holds a NUL byte (kept here).
    bool appendLines(std::span<const std::string_view> lines, std::string& into) const;

    Coding coding() const { return m_coding; }
    bool hadByteOrderMark() const { return m_byteOrderMark; }

private:
    Coding m_coding = Coding::Undecided;
    bool m_byteOrderMark = false;
};

// Whether the bytes are UTF-8, allowing a character cut off at the very end.
bool isUtf8Prefix(std::string_view bytes);
bool isAscii(std::string_view bytes);

} // namespace calctutor::report
