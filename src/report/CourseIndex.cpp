#include "report/CourseIndex.h"

#include "core/AssignmentNumber.h"
#include "core/NumberText.h"
#include "core/TutorState.h"
#include "script/QuestionBank.h"
#include "script/ScriptFormat.h"
#include "script/ScriptReader.h"

namespace calctutor::report {

namespace {

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

std::size_t CourseIndex::EndsHash::operator()(std::string_view text) const noexcept
{
    constexpr std::size_t kEnd = 24;
    if (text.size() <= 2 * kEnd)
        return std::hash<std::string_view>{}(text);
    const std::size_t head = std::hash<std::string_view>{}(text.substr(0, kEnd));
    const std::size_t tail = std::hash<std::string_view>{}(text.substr(text.size() - kEnd));
    return head ^ (tail * 31) ^ (text.size() * 0x9E3779B97F4A7C15ULL);
}

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
        index.add(assignment, "", 0); // an entry made before the first stop was read
        for (;;) {
            const ReadOutcome read = readNextQuestion(state);
            index.add(assignment, state.lastLine, static_cast<int>(leadingNumber(state.questionNumber)));
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

void CourseIndex::add(int assignment, const std::string& stop, int question)
{
    auto& byText = m_byText[assignment];
    const std::string withLf = withNewlines(stop);
    if (const auto known = byText.find(withLf); known != byText.end()) {
        if (known->second->question != question)
            known->second->question = 0; // the same text at stops of different questions
        return;
    }
    const std::string& lf = m_texts.emplace_back(withLf);
    Stop& entry = m_stops.emplace_back(Stop{question, &lf});
    byText.emplace(lf, &entry);
    if (stop != withLf)
        byText.emplace(m_texts.emplace_back(stop), &entry); // as the tutor writes it, with CR LF
}

const CourseIndex::Stop* CourseIndex::stopOf(int assignment, std::string_view fileText) const
{
    const auto stops = m_byText.find(assignment);
    if (stops == m_byText.end())
        return nullptr;
    const auto found = stops->second.find(fileText);
    return found == stops->second.end() ? nullptr : found->second;
}

std::optional<int> CourseIndex::questionOf(int assignment, std::string_view context) const
{
    const Stop* stop = stopOf(assignment, context);
    if (!stop)
        return std::nullopt;
    return stop->question;
}

} // namespace calctutor::report
