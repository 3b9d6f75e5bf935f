#include "report/html/AskTable.h"

#include "report/html/StudentFileNames.h"
#include "report/html/StudentOverview.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace calctutor::report {

namespace {

constexpr const char* kScratchName = "asks.tmp";
// Rows go to the page in pieces of about this size.
constexpr std::size_t kWriteSize = 1 << 16;

// The date and time as one number that sorts as they do. The reader writes
// dates as YYYY-MM-DD and times as hh:mm:ss; an entry with no date, or one
// outside the years 0 to 9999, sorts as the oldest.
std::uint64_t whenOf(const ReportEntry& entry)
{
    constexpr std::string_view kDate = "dddd-dd-dd";
    constexpr std::string_view kTime = "dd:dd:dd";
    const auto number = [](std::string_view text, std::string_view shape) -> std::optional<std::uint64_t> {
        if (text.size() != shape.size())
            return std::nullopt;
        std::uint64_t value = 0;
        for (std::size_t at = 0; at < text.size(); ++at) {
            const bool digit = text[at] >= '0' && text[at] <= '9';
            if (digit != (shape[at] == 'd') || (!digit && text[at] != shape[at]))
                return std::nullopt;
            if (digit)
                value = value * 10 + static_cast<std::uint64_t>(text[at] - '0');
        }
        return value;
    };
    const auto date = number(entry.date, kDate);
    const auto time = number(entry.time, kTime);
    return date && time ? *date * 1000000 + *time : 0;
}

} // namespace

AskTable::AskTable(PageTemplates& templates, SiteFolder& folder)
    : m_folder(folder),
      m_row(templates, "index-ask.html", {"date", "time", "name", "link", "assignment", "question", "kind", "text"}),
      m_scratch(folder.scratch(kScratchName))
{
}

AskTable::~AskTable()
{
    if (m_scratch.is_open()) {
        m_scratch.close();
        m_folder.remove(kScratchName);
    }
}

void AskTable::add(const StudentRecord& record, const std::string& fileStem)
{
    const std::string link = "students/" + stemInLink(fileStem) + ".html#e";
    m_text.clear();
    for (std::size_t index = 0; index < record.entries.size(); ++index) {
        const ReportEntry& entry = record.entries[index];
        if (!asksInstructor(entry))
            continue;
        m_rows.push_back({whenOf(entry), m_written + m_text.size()});
        m_row.append(m_text,
                     {entry.date, entry.time, record.name, link + std::to_string(index),
                      entry.assignment == 0 ? std::string() : std::to_string(entry.assignment),
                      entry.question == 0 ? std::string() : std::to_string(entry.question),
                      entry.kind == EntryKind::Note ? "note" : "critique", entry.text});
    }
    m_scratch.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
    m_written += m_text.size();
}

void AskTable::write(std::ostream& page)
{
    std::vector<std::uint32_t> order(m_rows.size());
    for (std::size_t at = 0; at < order.size(); ++at)
        order[at] = static_cast<std::uint32_t>(at);
    // The same time keeps the students' order: sorted by place as well, with no room for a stable sort.
    std::sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
        return m_rows[a].when != m_rows[b].when ? m_rows[a].when > m_rows[b].when : a < b;
    });
    m_scratch.flush();
    m_text.clear();
    for (std::uint32_t at : order) {
        const Row& row = m_rows[at];
        const std::uint64_t end = at + 1 < m_rows.size() ? m_rows[at + 1].offset : m_written;
        const std::size_t from = m_text.size();
        m_text.resize(from + static_cast<std::size_t>(end - row.offset));
        m_scratch.seekg(static_cast<std::streamoff>(row.offset));
        m_scratch.read(m_text.data() + from, static_cast<std::streamsize>(m_text.size() - from));
        if (!m_scratch) {
            m_folder.check(m_scratch, kScratchName); // a disk that filled up, say
            break;
        }
        if (m_text.size() >= kWriteSize || at == order.back()) {
            page.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
            m_text.clear();
        }
    }
    m_scratch.close();
    m_folder.remove(kScratchName);
}

} // namespace calctutor::report
