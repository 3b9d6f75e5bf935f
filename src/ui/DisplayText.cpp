#include "ui/DisplayText.h"

#include "core/Windows1252.h"

#include <array>

namespace calctutor {

namespace {

// Writes decoded characters into a text sized for the most they can take and
// cuts it to what was written: one allocation, no growing.
class DisplayWriter {
public:
    explicit DisplayWriter(qsizetype most)
    {
        m_text.resize(most);
        m_next = m_text.data();
    }
    void put(char byte) { *m_next++ = QChar(m_codes[static_cast<unsigned char>(byte)]); }
    void lineBreak() { *m_next++ = QLatin1Char('\n'); }
    QString finish() &&
    {
        m_text.truncate(m_next - m_text.constData());
        return std::move(m_text);
    }

private:
    static const std::array<char16_t, 256>& decodeTable()
    {
        static const std::array<char16_t, 256> table = [] {
            std::array<char16_t, 256> codes{};
            for (std::size_t byte = 0; byte < codes.size(); ++byte)
                codes[byte] = windows1252ToUtf16(static_cast<unsigned char>(byte));
            return codes;
        }();
        return table;
    }

    const std::array<char16_t, 256>& m_codes = decodeTable();
    QString m_text;
    QChar* m_next = nullptr;
};

} // namespace

QString toDisplay(std::string_view text)
{
    DisplayWriter writer(static_cast<qsizetype>(text.size()));
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            writer.lineBreak();
            ++i;
        } else {
            writer.put(text[i]);
        }
    }
    return std::move(writer).finish();
}

QString viewerDisplay(const FileView& view, Viewer viewer)
{
    // Every byte gives at most one character; the send file adds one line
    // break, the heading two.
    DisplayWriter writer(static_cast<qsizetype>(view.heading.size() + view.content.size() + 3));
    if (!view.heading.empty()) {
        writer.lineBreak();
        for (const char c : view.heading)
            writer.put(c);
        if (viewer == Viewer::Notes)
            writer.lineBreak();
    }
    walkViewText(
        view.content, viewer, [&writer](char c) { writer.put(c); }, [&writer] { writer.lineBreak(); });
    return std::move(writer).finish();
}

QTextOption::WrapMode answerWrapMode(QStringView text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRunWrappedByWords)
            return QTextOption::WrapAnywhere;
    }
    return QTextOption::WordWrap;
}

} // namespace calctutor
