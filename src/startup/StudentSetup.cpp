#include "startup/StudentSetup.h"

#include "core/AssignmentNumber.h"
#include "core/Prompts.h"
#include "core/TellStudent.h"
#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "platform/NativeFiles.h"
#include "records/RecordFileNames.h"
#include "script/QuestionBank.h"
#include "startup/AssignmentEntry.h"
#include "startup/StartupMessages.h"

#include <algorithm>
#include <cmath>

namespace calctutor {

namespace {

constexpr std::string_view kForbiddenInNames = "/\\:*?\"<>|";

bool isForbiddenInName(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code < 32 || code == 127 || kForbiddenInNames.find(c) != std::string_view::npos;
}

void tell(const TutorServices& services, const std::string& message)
{
    tellStudent(services.messages, message);
}

std::string askName(const TutorServices& services, const std::string& date)
{
    for (;;) {
        std::string name = services.input.ask(kNamePrompt);
        const std::string unsafe = unsafeNameCharacters(name);
        if (!unsafe.empty()) {
            tell(services, unsafeNameMessage(unsafe));
            continue;
        }
        const std::string longest = allFileNames(name, date).front();
        const std::size_t limit = native::longestName(services.defaultFolder);
        if (native::nativeLength(longest) <= limit)
            return name;
        tell(services, nameTooLongMessage(longest, native::nativeLength(longest), limit));
    }
}

// Why the record files cannot be written in the folder, if so: it is not a
// writable folder, or their names or paths would be too long for it.
std::optional<std::string> folderProblemFor(const std::string& folder, const std::vector<std::string>& names)
{
    if (std::optional<std::string> problem = native::folderProblem(folder))
        return problem;
    for (const std::string& name : names) {
        const std::size_t nameLength = native::nativeLength(name);
        if (nameLength > native::longestName(folder))
            return fileNameTooLongReason(name, nameLength, native::longestName(folder));
        const std::string path = native::joinPath(folder, name);
        const std::size_t pathLength = native::nativeLength(path);
        if (pathLength > native::longestPath(folder))
            return pathTooLongReason(name, pathLength, native::longestPath(folder));
    }
    return std::nullopt;
}

void tellDefaultFolderProblem(const TutorServices& services, const std::string& problem)
{
    tell(services, defaultFolderUnusableMessage(services.defaultFolder, problem));
}

// Asks for another folder until the student names a usable one, or keeps
// the default with an empty answer while the default is usable.
std::string askChosenFolder(const TutorServices& services, const std::vector<std::string>& names)
{
    for (;;) {
        std::string folder = services.input.ask(secondFolderPrompt(services.defaultFolder));
        if (folder.empty()) {
            const std::optional<std::string> problem = folderProblemFor(services.defaultFolder, names);
            if (!problem)
                return services.defaultFolder;
            tellDefaultFolderProblem(services, *problem);
            continue;
        }
        const std::optional<std::string> problem = folderProblemFor(folder, names);
        if (!problem)
            return folder;
        tell(services, folderUnusableMessage(folder, *problem, services.defaultFolder));
    }
}

std::string chooseFolder(const TutorServices& services, const std::vector<std::string>& names)
{
    if (services.input.ask(firstFolderPrompt(services.defaultFolder)) == "1")
        return askChosenFolder(services, names);
    if (const std::optional<std::string> problem = folderProblemFor(services.defaultFolder, names)) {
        tellDefaultFolderProblem(services, *problem);
        return askChosenFolder(services, names);
    }
    return services.defaultFolder;
}

bool isAssignmentInCourse(const TutorState& state, const std::string& number)
{
    const std::optional<int> header = findAssignmentHeader(state.scriptLines, number);
    return header && assignmentHasContent(state.scriptLines, *header);
}

// Asks until the number names an assignment with content; "" ends the program
// when it answers a repeated question.
std::optional<std::string> askAssignment(const TutorState& state, const TutorServices& services)
{
    std::string number = padAssignmentNumber(services.input.ask(kAssignmentPrompt));
    while (!isAssignmentInCourse(state, number)) {
        tell(services, notInCourseAskAgainMessage(number, availableAssignments(state.scriptLines)));
        const std::string answer = services.input.ask(kAssignmentPrompt);
        if (answer.empty())
            return std::nullopt;
        number = padAssignmentNumber(answer);
    }
    return number;
}

} // namespace

std::string unsafeNameCharacters(const std::string& name)
{
    std::string found;
    bool control = false;
    for (const char c : name) {
        if (!isForbiddenInName(c))
            continue;
        if (static_cast<unsigned char>(c) < 32 || c == 127) {
            control = true;
        } else if (found.find(c) == std::string::npos) {
            found += found.empty() ? "" : " ";
            found += c;
        }
    }
    if (control)
        found += found.empty() ? "a control character" : " and a control character";
    return found;
}

void buildRecordPaths(TutorState& state, const std::string& name, const std::string& date)
{
    const RecordFileNames names = recordFileNames(name, date);
    state.masterFilePath = native::joinPath(state.dataFolder, names.master);
    state.sendFilePath = native::joinPath(state.dataFolder, names.send);
    state.notesFilePath = native::joinPath(state.dataFolder, names.notes);
    state.pendingFilePath = native::joinPath(state.dataFolder, names.pending);
}

Flow setupStudent(TutorState& state, const TutorServices& services)
{
    services.random.seed(static_cast<std::uint32_t>(services.clock.secondsSinceMidnight()));
    const float r = services.random.next();
    state.codeNumber = static_cast<int>(std::floor(static_cast<double>(r) * 10 + 19));

    state.dataFolder = services.defaultFolder;
    native::tryCreateFolder(services.defaultFolder);
    const std::string date = services.clock.date();
    const std::string name = askName(services, date);
    state.dataFolder = chooseFolder(services, allFileNames(name, date));
    buildRecordPaths(state, name, date);

    // The course is loaded before the assignment question so that a number
    // that is not in the course can be asked again.
    state.lineIndex = 0;
    loadQuestionBank(state);
    const std::optional<std::string> number = askAssignment(state, services);
    if (!number)
        return Flow::EndProgram;
    state.assignmentNumber = *number;
    state.draftFilePath = native::joinPath(state.dataFolder, draftFileName(name, *number));
    state.responsePrompt = responsePromptText();
    state.nextAssignmentNumber = nextAssignmentNumber(state.assignmentNumber);
    state.lineIndex = 0;
    return Flow::Continue;
}

} // namespace calctutor
