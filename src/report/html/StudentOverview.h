#pragma once
// What the pages work out of one student beyond the class statistics: how far
// each assignment of the course got, the days worked, and the critiques and
// notes in which the student asks the instructor something. It goes with the
// student; the class page keeps a grid row of it (ClassGrid), and the asks go
// to the AskTable.

#include "report/ReportEntry.h"
#include "report/html/CourseQuestions.h"

#include <string>
#include <vector>

namespace calctutor::report {

struct AssignmentProgress {
    int assignment = 0;
    int answered = 0;     // questions of the assignment with an answer
    int questions = 0;    // questions the course has in it
    bool started = false; // a start header or an entry for it
    std::string lastDate; // the last day with a start or entry for it
};

// A critique or note holding a question mark.
struct StudentAsk {
    std::string date;
    std::string time;
    int assignment = 0;
    int question = 0;
    EntryKind kind = EntryKind::Note;
    std::string text;
    std::size_t entryIndex = 0; // place in the student's entries, for the link
};

struct StudentOverview {
    std::string name;
    std::string fileStem;
    std::vector<AssignmentProgress> assignments; // the course's assignments in order
    int daysWorked = 0;
    std::string firstDate;
    std::string lastDate;
    std::vector<StudentAsk> asks;
};

StudentOverview overview(const StudentRecord& record, const CourseQuestions& course);

// Whether the instructor is asked something: a critique or note with a "?".
bool asksInstructor(const ReportEntry& entry);

} // namespace calctutor::report
