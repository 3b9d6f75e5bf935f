#include "TruthFile.h"

#include "core/Windows1252.h"

namespace calctutor::classgen {

std::string reportText(std::string_view text)
{
    std::string utf8 = windows1252ToUtf8(text);
    std::string result;
    result.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n')
            continue;
        result += utf8[i];
    }
    return result;
}

std::string csvCell(std::string_view value)
{
    if (value.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(value);
    std::string quoted = "\"";
    for (const char c : value) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

TruthFile::TruthFile(const std::string& path)
{
    if (path.empty())
        return;
    m_out.open(path, std::ios::binary | std::ios::trunc);
    m_written = m_out.is_open();
    if (m_written)
        m_out << "student,date,time,assignment,question,kind,rating,text,files\r\n";
}

void TruthFile::add(const TruthRow& row)
{
    ++m_rows;
    if (!m_written)
        return;
    std::string files;
    for (const std::string& file : row.files)
        files += (files.empty() ? "" : ";") + file;
    const std::string question = row.question == 0 ? "" : std::to_string(row.question);
    m_out << csvCell(row.student) << ',' << row.date << ',' << row.time << ',' << row.assignment << ',' << question
          << ',' << row.kind << ',' << csvCell(row.rating) << ',' << csvCell(row.text) << ',' << csvCell(files)
          << "\r\n";
}

bool TruthFile::close()
{
    if (!m_written)
        return true;
    m_out.close();
    return !m_out.fail();
}

} // namespace calctutor::classgen
