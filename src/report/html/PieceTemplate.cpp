#include "report/html/PieceTemplate.h"

#include "report/html/HtmlText.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace calctutor::report {

namespace {

// U+E000, a private-use character that no template holds and escaping keeps
// as it is, then a letter that names the value.
constexpr std::string_view kMarker = "\xEE\x80\x80";
constexpr std::size_t kMostValues = 26;
constexpr std::size_t kMostFlags = 4;

std::string markerOf(std::size_t value)
{
    return std::string(kMarker) + static_cast<char>('A' + value);
}

// Where a mark stands in a rendered template, with its line end when it
// fills a line of its own: {start, end}, or nothing.
std::optional<std::pair<std::size_t, std::size_t>> findMark(std::string_view text, const std::string& mark,
                                                            std::size_t from)
{
    const std::string written = "<!--" + mark + "-->";
    const std::size_t at = text.find(written, from);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t end = at + written.size();
    if ((at == 0 || text[at - 1] == '\n') && end < text.size() && text[end] == '\n')
        ++end;
    return std::pair(at, end);
}

} // namespace

PieceTemplate::PieceTemplate(PageTemplates& templates, std::string_view templateName, std::vector<std::string> values,
                             std::vector<std::string> flags, const std::vector<std::string>& marks)
    : m_name(templateName), m_values(std::move(values)), m_flags(std::move(flags)), m_partCount(marks.size() + 1)
{
    const auto fault = [this](const std::string& what) {
        return std::logic_error("page template " + m_name + ": " + what);
    };
    if (m_values.size() > kMostValues || m_flags.size() > kMostFlags)
        throw fault("too many values or flags for a piece");
    std::vector<bool> used(m_values.size());
    const std::vector<PageValue> empty(m_values.size(), PageValue(std::string_view()));
    for (unsigned combination = 0; combination < 1u << m_flags.size(); ++combination) {
        const std::string whole = templates.render(m_name, markedData(combination, true));
        std::vector<std::string_view> cuts; // the marks as they stand in the page
        std::size_t from = 0;
        for (std::size_t cut = 0; cut < m_partCount; ++cut) {
            std::size_t end = whole.size();
            std::size_t next = whole.size();
            if (cut < marks.size()) {
                const auto mark = findMark(whole, marks[cut], from);
                if (!mark)
                    throw fault("no mark " + marks[cut]);
                std::tie(end, next) = *mark;
                cuts.push_back(std::string_view(whole).substr(end, next - end));
            }
            m_parts.push_back(cutAtValues(std::string_view(whole).substr(from, end - from)));
            for (const Run& run : m_parts.back().runs) {
                if (run.value >= 0)
                    used[static_cast<std::size_t>(run.value)] = true;
            }
            from = next;
        }
        // Filled with empty values, the pieces must give what kainjow gives
        // for them: a line that kainjow drops as blank would differ here.
        std::string filled;
        for (std::size_t part = 0; part < m_partCount; ++part) {
            appendPart(filled, m_parts[combination * m_partCount + part], empty.data());
            if (part < cuts.size())
                filled += cuts[part];
        }
        if (filled != templates.render(m_name, markedData(combination, false)))
            throw fault("a value stands alone in a line that is dropped when it is empty");
    }
    for (std::size_t value = 0; value < m_values.size(); ++value) {
        if (!used[value])
            throw fault("no value named " + m_values[value]);
    }
}

void PieceTemplate::append(std::string& page, std::span<const PageValue> values, unsigned flags, std::size_t part) const
{
    if (flags >> m_flags.size() != 0 || part >= m_partCount || values.size() > m_values.size()
        || values.size() < m_parts[flags * m_partCount + part].valuesUsed)
        throw std::logic_error("page template " + m_name + ": filled with other values than it takes");
    appendPart(page, m_parts[flags * m_partCount + part], values.data());
}

PieceTemplate::Part PieceTemplate::cutAtValues(std::string_view text) const
{
    Part part;
    std::size_t at = 0;
    for (std::size_t found; (found = text.find(kMarker, at)) != std::string_view::npos;) {
        const std::size_t value = found + kMarker.size() < text.size()
            ? static_cast<std::size_t>(text[found + kMarker.size()] - 'A')
            : m_values.size();
        if (value >= m_values.size())
            throw std::logic_error("page template " + m_name + ": a marker that names no value");
        part.valuesUsed = std::max(part.valuesUsed, value + 1);
        part.runs.push_back({std::string(text.substr(at, found - at)), static_cast<int>(value)});
        at = found + kMarker.size() + 1;
    }
    part.runs.push_back({std::string(text.substr(at)), -1});
    return part;
}

PageData PieceTemplate::markedData(unsigned flags, bool markers) const
{
    PageData data;
    for (std::size_t value = 0; value < m_values.size(); ++value)
        data.set(m_values[value], markers ? markerOf(value) : std::string());
    for (std::size_t flag = 0; flag < m_flags.size(); ++flag)
        data.set(m_flags[flag], PageData((flags >> flag & 1u) != 0));
    return data;
}

void PieceTemplate::appendPart(std::string& page, const Part& part, const PageValue* values)
{
    for (const Run& run : part.runs) {
        page += run.text;
        if (run.value >= 0)
            values[run.value].appendTo(page);
    }
}

} // namespace calctutor::report
