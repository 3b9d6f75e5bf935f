#pragma once
// The pages of the questions, questions/003-002.html: every student's answer
// and critique of one question side by side. Rows are written out as each
// student comes, so the class's text is never held at once; each page is
// closed when the class is done.

#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"
#include "report/html/HtmlText.h"
#include "report/html/PageTemplates.h"
#include "report/html/PieceTemplate.h"
#include "report/html/SiteFolder.h"

#include <fstream>
#include <string>
#include <vector>

namespace calctutor::report {

class QuestionPages {
public:
    QuestionPages(PageTemplates& templates, const CourseQuestions& course, SiteFolder& folder);

    // One row per question the student answered or critiqued; texts: the record's entries' texts.
    void add(const StudentRecord& record, const std::string& fileStem, const EscapedTexts& texts);
    // Closes every page, and writes an empty one for each question no one reached.
    void finish();

private:
    struct OpenPage {
        std::ofstream stream;
        std::string key;  // "003-002"
        std::string path; // empty until the page is opened
        std::string text; // not yet written
        int rows = 0;
    };
    // The student's last answer and last critique of one question.
    struct Pair {
        const ReportEntry* answer = nullptr;
        const ReportEntry* critique = nullptr;
    };
    OpenPage& page(const CourseQuestion& question);
    // Writes what the page holds once it is at least this much.
    static void write(OpenPage& open, std::size_t atLeast);

    const CourseQuestions& m_course;
    SiteFolder& m_folder;
    PieceTemplate m_page;
    PieceTemplate m_row;
    std::vector<OpenPage> m_pages; // by CourseQuestion::index
    std::vector<Pair> m_pairs;     // by CourseQuestion::index, for the student at hand
    std::string m_link;            // kept between rows, so its room is reused
};

} // namespace calctutor::report
