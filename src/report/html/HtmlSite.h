#pragma once
// The instructor's pages, written as the reader hands over each student:
// DIR/students/<name>.html at once, a row on each question page, its asks
// set aside and a grid row kept for the class page, DIR/index.html, which
// finish() writes once the whole class and its problems are known. The
// figures come from the class statistics, which must be handed each student
// before the site is.

#include "report/ClassStatistics.h"
#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"
#include "report/html/HtmlText.h"
#include "report/html/IndexPage.h"
#include "report/html/PageTemplates.h"
#include "report/html/QuestionPages.h"
#include "report/html/SiteFolder.h"
#include "report/html/StudentFileNames.h"
#include "report/html/StudentOverview.h"
#include "report/html/StudentPage.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace calctutor::report {

class HtmlSite final : public StudentSink {
public:
    // folder: where the pages go, UTF-8; created when missing.
    HtmlSite(std::string folder, const ClassStatistics& statistics);

    void student(const StudentRecord& record) override;

    // Writes index.html. Gives what could not be written, if anything.
    [[nodiscard]] std::optional<std::string> finish(const std::vector<ReportProblem>& problems,
                                                    const std::vector<std::string>& missingFromRoster);

    // The class page's path.
    std::string indexPath() const;

private:
    const ClassStatistics& m_statistics;
    CourseQuestions m_course;
    PageTemplates m_templates;
    SiteFolder m_folder;
    StudentFileNames m_fileNames;
    QuestionPages m_questionPages;
    StudentPage m_studentPage;
    IndexPage m_indexPage;
    AskTable m_asks;
    EscapedTexts m_texts; // the student's, for the student page and the question pages
    std::string m_page;   // kept between students, so its room is reused
    ClassGrid m_grid;
    std::map<std::string, int> m_entriesPerDay;
};

} // namespace calctutor::report
