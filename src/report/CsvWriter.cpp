#include "report/CsvWriter.h"

#include "core/NumberText.h"
#include "report/ClassInput.h"

namespace calctutor::report {

std::string csvCell(std::string_view value)
{
    std::string cell;
    // A spreadsheet would run "=...", "+...", "-...", "@..." as a formula.
    const bool formula = !value.empty() && std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos;
    if (formula)
        cell.push_back('\'');
    cell.append(value);
    if (cell.find_first_of(",\"\r\n") == std::string::npos)
        return cell;
    std::string quoted = "\"";
    quoted.reserve(cell.size() + 2);
    for (const char c : cell) {
        quoted.push_back(c);
        if (c == '"')
            quoted.push_back('"');
    }
    quoted.push_back('"');
    return quoted;
}

CsvWriter::CsvWriter(const std::string& path, const std::vector<std::string_view>& header)
    : m_out(pathFromText(path), std::ios::binary | std::ios::trunc)
{
    m_out << "\xEF\xBB\xBF";
    std::vector<std::string> cells(header.begin(), header.end());
    row(cells);
}

void CsvWriter::row(const std::vector<std::string>& cells)
{
    m_line.clear();
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            m_line.push_back(',');
        m_line.append(csvCell(cells[i]));
    }
    m_line.append("\r\n");
    m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
}

bool CsvWriter::close()
{
    m_out.flush();
    const bool good = static_cast<bool>(m_out);
    m_out.close();
    return good && !m_out.fail();
}

std::string csvNumber(double value, bool present)
{
    if (!present)
        return {};
    return fixedNumber(value, 2);
}

} // namespace calctutor::report
