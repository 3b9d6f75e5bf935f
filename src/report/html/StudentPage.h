#pragma once
// One student's page: days worked, how far each assignment got, and every
// entry under the course's question it belongs to (notes in place), with the
// given answer folded away below the student's own. Put together from the
// pieces of its templates; the course's questions, the same on every page,
// are rendered once.

#include "report/ClassStatistics.h"
#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"
#include "report/html/HtmlText.h"
#include "report/html/PageTemplates.h"
#include "report/html/PieceTemplate.h"
#include "report/html/StudentOverview.h"

#include <array>
#include <string>
#include <vector>

namespace calctutor::report {

class StudentPage {
public:
    StudentPage(PageTemplates& templates, const CourseQuestions& course);

    // The page, in place of what `page` held; texts: the record's entries' texts. It is written before the rest
    // of the class is read, so an assignment shows as under way or finished,
    // never as stalled (the class page says that).
    void render(const StudentRecord& record, const StudentOverview& overview, const StudentSummary& figures,
                const EscapedTexts& texts, std::string& page);

private:
    // The head (part 0) or the foot (part 1) of a question's article.
    void appendQuestion(std::string& page, int assignment, int question, std::size_t part);
    void appendEntry(std::string& page, const ReportEntry& entry, std::size_t index, EscapedHtml text);

    const CourseQuestions& m_course;
    PieceTemplate m_page;
    PieceTemplate m_assignment;
    PieceTemplate m_section;
    PieceTemplate m_question;
    PieceTemplate m_entry;
    std::vector<std::array<std::string, 2>> m_courseQuestions; // by CourseQuestion::index; empty until first shown
    std::vector<std::size_t> m_order;                          // kept between students, for its room
};

// How a kind of entry is named on the pages: "Answer", "Critique", "Note", "Response".
std::string_view kindLabel(EntryKind kind);

} // namespace calctutor::report
