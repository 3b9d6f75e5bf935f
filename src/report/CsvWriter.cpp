#include "report/CsvWriter.h"

#include "core/NumberText.h"
#include "report/ClassInput.h"

namespace calctutor::report {

namespace {

// Whether a cell needs quotes: one pass over a class's megabytes of answers.
bool needsQuotes(std::string_view value)
{
    for (const char c : value) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n')
            return true;
    }
    return false;
}

} // namespace

void appendCsvCell(std::string_view value, std::string& into)
{
    // A spreadsheet would run "=...", "+...", "-...", "@..." as a formula.
    const bool formula = !value.empty() && std::string_view("=+-@\t\r").find(value.front()) != std::string_view::npos;
    const bool quoted = needsQuotes(value);
    if (quoted)
        into.push_back('"');
    if (formula)
        into.push_back('\'');
    if (!quoted) {
        into.append(value);
        return;
    }
    for (std::size_t quote = value.find('"'); quote != std::string_view::npos; quote = value.find('"')) {
        into.append(value.substr(0, quote + 1));
        into.push_back('"');
        value.remove_prefix(quote + 1);
    }
    into.append(value);
    into.push_back('"');
}

std::string csvCell(std::string_view value)
{
    std::string cell;
    appendCsvCell(value, cell);
    return cell;
}

CsvWriter::CsvWriter(const std::string& path, const std::vector<std::string_view>& header)
    : m_out(pathFromText(path), std::ios::binary | std::ios::trunc)
{
    m_pending = "\xEF\xBB\xBF";
    for (const std::string_view name : header)
        cell(name);
    endRow();
}

void CsvWriter::cell(std::string_view value)
{
    if (m_rowStarted)
        m_pending.push_back(',');
    m_rowStarted = true;
    appendCsvCell(value, m_pending);
}

void CsvWriter::endRow()
{
    m_pending.append("\r\n");
    m_rowStarted = false;
    if (m_pending.size() >= (std::size_t{1} << 16)) {
        m_out.write(m_pending.data(), static_cast<std::streamsize>(m_pending.size()));
        m_pending.clear();
    }
}

void CsvWriter::row(const std::vector<std::string>& cells)
{
    for (const std::string& value : cells)
        cell(value);
    endRow();
}

bool CsvWriter::close()
{
    m_out.write(m_pending.data(), static_cast<std::streamsize>(m_pending.size()));
    m_pending.clear();
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
