#include "report/html/HtmlSite.h"

#include <algorithm>
#include <stdexcept>

namespace calctutor::report {

HtmlSite::HtmlSite(std::string folder, const ClassStatistics& statistics)
    : m_statistics(statistics), m_course(CourseQuestions::builtIn()), m_folder(std::move(folder)),
      m_questionPages(m_templates, m_course, m_folder), m_studentPage(m_templates, m_course), m_indexPage(m_templates),
      m_asks(m_templates, m_folder)
{
}

void HtmlSite::student(const StudentRecord& record)
{
    if (m_statistics.students().empty() || m_statistics.students().back().name != record.name)
        throw std::logic_error("the class statistics must see each student before the pages do");
    StudentOverview overview = calctutor::report::overview(record, m_course);
    overview.fileStem = m_fileNames.assign(record.name);
    // The entries come in time order, so a day's entries are counted in one run.
    for (auto entry = record.entries.begin(); entry != record.entries.end();) {
        const auto dayEnd = std::find_if(entry, record.entries.end(),
                                         [&](const ReportEntry& other) { return other.date != entry->date; });
        m_entriesPerDay[entry->date] += static_cast<int>(dayEnd - entry);
        entry = dayEnd;
    }
    m_texts.escape(record.entries);
    m_studentPage.render(record, overview, m_statistics.students().back(), m_texts, m_page);
    m_folder.write("students/" + overview.fileStem + ".html", m_page);
    m_questionPages.add(record, overview.fileStem, m_texts);
    m_asks.add(record, overview.fileStem);
    m_grid.add(overview, m_statistics.students().size() - 1);
}

std::optional<std::string> HtmlSite::finish(const std::vector<ReportProblem>& problems,
                                            const std::vector<std::string>& missingFromRoster)
{
    m_questionPages.finish();
    const ClassIndex index{m_course, m_statistics, m_grid, missingFromRoster, m_entriesPerDay, problems, m_asks};
    std::ofstream page = m_folder.open("index.html");
    m_indexPage.write(index, page);
    page.close();
    m_folder.check(page, "index.html");
    return m_folder.fault();
}

std::string HtmlSite::indexPath() const
{
    return m_folder.root() + "/index.html";
}

} // namespace calctutor::report
