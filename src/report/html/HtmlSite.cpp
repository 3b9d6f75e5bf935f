#include "report/html/HtmlSite.h"

#include "report/html/IndexPage.h"
#include "report/html/StudentPage.h"

namespace calctutor::report {

HtmlSite::HtmlSite(std::string folder)
    : m_course(CourseQuestions::builtIn()), m_folder(std::move(folder)),
      m_questionPages(m_templates, m_course, m_folder)
{
}

void HtmlSite::student(const StudentRecord& record)
{
    StudentSummary summary = summarize(record, m_course);
    summary.fileStem = m_fileNames.assign(record.name);
    for (const ReportEntry& entry : record.entries)
        ++m_entriesPerDay[entry.date];
    m_figures.add(record);
    m_folder.write("students/" + summary.fileStem + ".html",
                   m_templates.render("student.html", studentPageData(record, summary, m_course)));
    m_questionPages.add(record, summary.fileStem);
    m_students.push_back(std::move(summary));
}

std::optional<std::string> HtmlSite::finish(const std::vector<ReportProblem>& problems,
                                            const std::vector<std::string>& missingFromRoster)
{
    m_questionPages.finish();
    const ClassIndex index{m_course, m_students, missingFromRoster, m_figures, m_entriesPerDay, problems};
    m_folder.write("index.html", m_templates.render("index.html", indexPageData(index)));
    return m_folder.fault();
}

std::string HtmlSite::indexPath() const
{
    return m_folder.root() + "/index.html";
}

} // namespace calctutor::report
