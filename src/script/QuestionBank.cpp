#include "script/QuestionBank.h"

#include "core/TutorState.h"
#include "script/BuiltInFiles.h"

namespace calctutor {

std::vector<CourseSource> builtInCourse()
{
    std::vector<CourseSource> sources;
    for (const BuiltInFile& file : builtInFiles()) {
        if (file.name.ends_with(".course"))
            sources.push_back({std::string(file.name), std::string(file.bytes)});
    }
    return sources;
}

void storeEntries(TutorState& state, const std::vector<CourseEntry>& entries)
{
    state.lineIndex = 0;
    for (const CourseEntry& entry : entries) {
        if (state.lineIndex >= kLastScriptIndex)
            break; // the check tool reports a course that does not fit
        ++state.lineIndex;
        state.scriptLines[static_cast<std::size_t>(state.lineIndex)] = entry.text;
    }
    state.lineIndex = 0;
}

void loadQuestionBank(TutorState& state)
{
    storeEntries(state, parseCourse(builtInCourse()).entries);
}

} // namespace calctutor
