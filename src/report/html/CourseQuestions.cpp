#include "report/html/CourseQuestions.h"

#include "script/CourseFile.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "script/ScriptReader.h"

#include <algorithm>
#include <charconv>
#include <map>

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
    std::map<std::pair<int, int>, CourseQuestion> questions; // a question given twice keeps its first place
    CourseQuestion* open = nullptr;                          // the question waiting for its given answer
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
                auto [place, isNew] = questions.try_emplace({current->number, questionNumber});
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
    for (const CourseAssignment& assignment : course.m_assignments) {
        for (int number : assignment.questions) {
            if (course.find(assignment.number, number))
                continue; // an assignment number given twice
            CourseQuestion question = std::move(questions.at({assignment.number, number}));
            question.index = course.m_questions.size();
            auto& places = course.m_places;
            places.resize(std::max<std::size_t>(places.size(), static_cast<std::size_t>(assignment.number) + 1));
            auto& inAssignment = places[static_cast<std::size_t>(assignment.number)];
            inAssignment.resize(std::max<std::size_t>(inAssignment.size(), static_cast<std::size_t>(number) + 1));
            inAssignment[static_cast<std::size_t>(number)] = question.index + 1;
            course.m_questions.push_back(std::move(question));
        }
    }
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
    if (assignment < 0 || question < 0 || static_cast<std::size_t>(assignment) >= m_places.size())
        return nullptr;
    const auto& inAssignment = m_places[static_cast<std::size_t>(assignment)];
    if (static_cast<std::size_t>(question) >= inAssignment.size()
        || inAssignment[static_cast<std::size_t>(question)] == 0)
        return nullptr;
    return &m_questions[inAssignment[static_cast<std::size_t>(question)] - 1];
}

int CourseQuestions::questionCount(int assignment) const
{
    const CourseAssignment* found = this->assignment(assignment);
    return found ? static_cast<int>(found->questions.size()) : 0;
}

} // namespace calctutor::report
