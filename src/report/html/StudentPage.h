#pragma once
// One student's page: days worked, how far each assignment got, and every
// entry under the course's question it belongs to (notes in place), with the
// given answer folded away below the student's own.

#include "report/ClassStatistics.h"
#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"
#include "report/html/PageTemplates.h"
#include "report/html/StudentOverview.h"

#include <string>

namespace calctutor::report {

// The page is written before the rest of the class is read, so an assignment
// shows as under way or finished, never as stalled (the class page says that).
PageData studentPageData(const StudentRecord& record, const StudentOverview& overview, const StudentSummary& figures,
                         const CourseQuestions& course);

// How a kind of entry is named on the pages: "Answer", "Critique", "Note", "Response".
std::string kindLabel(EntryKind kind);

} // namespace calctutor::report
