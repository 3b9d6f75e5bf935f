#pragma once
// The pages of the questions, questions/003-002.html: every student's answer
// and critique of one question side by side. Rows are written out as each
// student comes, so the class's text is never held at once; each page is
// closed when the class is done.

#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"
#include "report/html/PageTemplates.h"
#include "report/html/SiteFolder.h"

#include <fstream>
#include <map>
#include <string>

namespace calctutor::report {

class QuestionPages {
public:
    QuestionPages(PageTemplates& templates, const CourseQuestions& course, SiteFolder& folder);

    // One row per question the student answered or critiqued.
    void add(const StudentRecord& record, const std::string& fileStem);
    // Closes every page, and writes an empty one for each question no one reached.
    void finish();

private:
    struct OpenPage {
        std::ofstream stream;
        std::string ending; // the page after its rows
        std::string path;
        int rows = 0;
    };
    OpenPage& page(int assignment, int question);

    PageTemplates& m_templates;
    const CourseQuestions& m_course;
    SiteFolder& m_folder;
    std::map<std::pair<int, int>, OpenPage> m_pages;
    std::string m_row; // kept between rows, so its room is reused
};

} // namespace calctutor::report
