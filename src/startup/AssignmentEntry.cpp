#include "startup/AssignmentEntry.h"

#include "core/TellStudent.h"
#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "records/RecordFiles.h"
#include "records/RecordLines.h"
#include "records/TextCoding.h"
#include "script/ScriptFormat.h"
#include "startup/StartupMessages.h"

namespace calctutor {

std::optional<int> findAssignmentHeader(const std::vector<std::string>& scriptLines,
                                        const std::string& assignmentNumber)
{
    const std::string wanted = assignmentNumber + ".";
    const int last = std::min(kLastScriptIndex, static_cast<int>(scriptLines.size()) - 1);
    for (int index = 1; index <= last; ++index) {
        if (leftOf(scriptLines[static_cast<std::size_t>(index)], 4) == wanted)
            return index;
    }
    return std::nullopt;
}

bool assignmentHasContent(const std::vector<std::string>& scriptLines, int headerIndex)
{
    const int last = std::min(kLastScriptIndex, static_cast<int>(scriptLines.size()) - 1);
    for (int index = headerIndex + 1; index <= last; ++index) {
        const std::string& entry = scriptLines[static_cast<std::size_t>(index)];
        switch (classifyEntry(entry)) {
        case EntryKind::Separator: continue;
        case EntryKind::Header:
        case EntryKind::EndMarker: return false;
        default: return true;
        }
    }
    return false;
}

std::string availableAssignments(const std::vector<std::string>& scriptLines)
{
    std::vector<std::string> numbers;
    for (std::size_t index = 1; index < scriptLines.size(); ++index) {
        const std::string& entry = scriptLines[index];
        if (isHeaderEntry(entry) && assignmentHasContent(scriptLines, static_cast<int>(index)))
            numbers.push_back(entry.substr(0, 3));
    }
    if (numbers.empty())
        return "none";
    if (numbers.size() == 1)
        return numbers.front();
    return numbers.front() + " to " + numbers.back();
}

namespace {

void tellCannotGoOn(StudentMessages& messages, const Failure& failure)
{
    tellStudent(messages, cannotGoOnMessage(failure));
}

} // namespace

Flow enterAssignment(TutorState& state, const TutorServices& services)
{
    // An entry cut short by a kill or a power cut is taken out of every file
    // before anything new is written after it.
    RecordFiles::Repair repair = services.files.repair(state.pendingFilePath);
    if (repair.notice)
        tellStudent(services.messages, *repair.notice);
    if (repair.failure) {
        tellCannotGoOn(services.messages, *repair.failure);
        return Flow::EndProgram;
    }

    const std::optional<int> header = findAssignmentHeader(state.scriptLines, state.assignmentNumber);
    if (!header) {
        tellStudent(services.messages, notInCourseEndMessage(state.assignmentNumber));
        return Flow::EndProgram;
    }
    state.lineIndex = *header;

    const std::string codeLine = makeCodeLine(state.codeNumber, services.random);
    const std::string& headerEntry = state.scriptLines[static_cast<std::size_t>(*header)];
    const std::string date = services.clock.date();
    const std::vector<std::string> paths = {state.masterFilePath, state.sendFilePath};
    const std::vector<std::string> texts = {
        startHeader(codeLine, state.assignmentNumber, headerEntry, date, state.codeNumber),
        startHeader(codeLine, state.assignmentNumber, headerEntry, date, state.codeNumber),
    };
    if (auto failure = appendEntry(services.files, state.pendingFilePath, paths, texts)) {
        tellCannotGoOn(services.messages, *failure);
        return Flow::EndProgram;
    }
    return Flow::Continue;
}

} // namespace calctutor
