#include "report/html/CourseQuestions.h"

#include "script/CourseFile.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "script/ScriptReader.h"

#include <charconv>

namespace calctutor::report {

namespace {

// "{}" and CR LF both become "\n", as the student saw them; a question marker
// at the start of a later line (after an announcement) is left out.
std::string shownText(std::string_view entry)
{
    std::string expanded = expandLineBreaks(entry);
    std::string text;
    text.reserve(expanded.size());
    for (std::size_t i = 0; i < expanded.size(); ++i) {
        if (expanded[i] == '\r' && i + 1 < expanded.size() && expanded[i + 1] == '\n')
            continue;
        if ((text.empty() || text.back() == '\n')
            && std::string_view(expanded).substr(i).starts_with(kQuestionMarker)) {
            i += kQuestionMarker.size() - 1;
            continue;
        }
        text += expanded[i];
    }
    return text;
}

int numberOf(std::string_view digits)
{
    int number = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return number;
}

} // namespace

CourseQuestions CourseQuestions::builtIn()
{
    CourseQuestions course;
    CourseQuestion* open = nullptr; // the question waiting for its given answer
    CourseAssignment* current = nullptr;
    for (const CourseEntry& entry : parseCourse(builtInCourse()).entries) {
        const std::string_view text = entry.text;
        switch (classifyEntry(text)) {
        case calctutor::EntryKind::Header:
            course.m_assignments.push_back({numberOf(text.substr(0, 3)), std::string(text), {}});
            current = &course.m_assignments.back();
            open = nullptr;
            break;
        case calctutor::EntryKind::Question:
            open = nullptr;
            if (auto number = questionNumberOf(text); number && current) {
                const int questionNumber = numberOf(*number);
                auto [place, isNew] = course.m_questions.try_emplace({current->number, questionNumber});
                place->second = {current->number, questionNumber, shownText(text.substr(kQuestionMarker.size())), {}};
                if (isNew)
                    current->questions.push_back(questionNumber);
                open = &place->second;
            }
            break;
        case calctutor::EntryKind::Answer:
            if (open)
                open->givenAnswer = shownText(text.substr(kAnswerMarker.size()));
            open = nullptr;
            break;
        default: break;
        }
    }
    std::erase_if(course.m_assignments, [](const CourseAssignment& a) { return a.questions.empty(); });
    return course;
}

const CourseAssignment* CourseQuestions::assignment(int number) const
{
    for (const CourseAssignment& candidate : m_assignments) {
        if (candidate.number == number)
            return &candidate;
    }
    return nullptr;
}

const CourseQuestion* CourseQuestions::find(int assignment, int question) const
{
    auto found = m_questions.find({assignment, question});
    return found == m_questions.end() ? nullptr : &found->second;
}

int CourseQuestions::questionCount(int assignment) const
{
    const CourseAssignment* found = this->assignment(assignment);
    return found ? static_cast<int>(found->questions.size()) : 0;
}

} // namespace calctutor::report
