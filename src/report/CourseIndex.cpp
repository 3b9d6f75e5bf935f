#include "report/CourseIndex.h"

#include "core/AssignmentNumber.h"
#include "core/NumberText.h"
#include "core/TutorState.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "script/ScriptReader.h"

namespace calctutor::report {

namespace {

constexpr int kAmbiguous = -1;

std::string withNewlines(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            continue;
        result.push_back(text[at]);
    }
    return result;
}

} // namespace

CourseIndex CourseIndex::fromScript(const std::vector<std::string>& scriptLines)
{
    CourseIndex index;
    TutorState state;
    for (std::size_t i = 0; i < scriptLines.size() && i < state.scriptLines.size(); ++i)
        state.scriptLines[i] = scriptLines[i];
    for (int header = 1; header <= kLastScriptIndex; ++header) {
        const std::string& entry = state.scriptLines[static_cast<std::size_t>(header)];
        if (!isHeaderEntry(entry))
            continue;
        // A fresh start of the tutor at this assignment, read to its end.
        state.assignmentNumber = entry.substr(0, 3);
        state.nextAssignmentNumber = nextAssignmentNumber(state.assignmentNumber);
        state.lineIndex = header;
        state.questionNumber.clear();
        state.lastLine.clear();
        const int assignment = static_cast<int>(leadingNumber(state.assignmentNumber));
        auto& stops = index.m_questions[assignment];
        for (;;) {
            const ReadOutcome read = readNextQuestion(state);
            const int question = static_cast<int>(leadingNumber(state.questionNumber));
            auto [at, inserted] = stops.emplace(withNewlines(state.lastLine), question);
            if (!inserted && at->second != question)
                at->second = kAmbiguous;
            if (read.flow == Flow::EndProgram)
                break;
        }
    }
    return index;
}

const CourseIndex& CourseIndex::builtIn()
{
    static const CourseIndex index = [] {
        TutorState state;
        loadQuestionBank(state);
        return fromScript(state.scriptLines);
    }();
    return index;
}

std::optional<int> CourseIndex::questionOf(int assignment, std::string_view context) const
{
    const auto stops = m_questions.find(assignment);
    if (stops == m_questions.end())
        return std::nullopt;
    const auto found = stops->second.find(std::string(context));
    if (found == stops->second.end())
        return std::nullopt;
    return found->second == kAmbiguous ? 0 : found->second;
}

} // namespace calctutor::report
