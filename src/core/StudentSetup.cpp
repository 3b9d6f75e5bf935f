#include "core/StudentSetup.h"

#include "core/AssignmentEntry.h"
#include "core/AssignmentNumber.h"
#include "core/Prompts.h"
#include "core/Services.h"
#include "core/TutorState.h"
#include "core/Windows1252.h"
#include "platform/NativeFiles.h"
#include "script/QuestionBank.h"

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

void tell(StartupServices& services, const std::string& message)
{
    services.messages.tell(windows1252ToUtf8(message));
}

std::string askName(StartupServices& services)
{
    for (;;) {
        std::string name = services.input.ask(kNamePrompt);
        const std::string unsafe = unsafeNameCharacters(name);
        if (unsafe.empty())
            return name;
        tell(services,
             "Your name becomes part of the names of your record files, so it cannot contain " + unsafe
                 + ". These characters are not allowed in a name: / \\ : * ? \" < > | and "
                   "control characters. Please type your name again.");
    }
}

// Asks for another folder until the student names a usable one or keeps the default.
std::string askChosenFolder(StartupServices& services)
{
    for (;;) {
        std::string folder = services.input.ask(secondFolderPrompt(services.defaultFolder));
        if (folder.empty())
            return services.defaultFolder;
        const std::optional<std::string> problem = native::folderProblem(folder);
        if (!problem)
            return folder;
        tell(services,
             "Your files cannot be written to the folder " + folder + ": " + *problem
                 + ". Please enter another folder, or just hit the Enter key to keep the default "
                   "folder "
                 + services.defaultFolder + ".");
    }
}

std::string chooseFolder(StartupServices& services)
{
    if (services.input.ask(firstFolderPrompt(services.defaultFolder)) == "1")
        return askChosenFolder(services);
    if (const std::optional<std::string> problem = native::folderProblem(services.defaultFolder)) {
        tell(services,
             "The default folder " + services.defaultFolder + " could not be created or cannot be used: " + *problem
                 + ". Please enter the folder to which your files should be written.");
        return askChosenFolder(services);
    }
    return services.defaultFolder;
}

std::string spacesAsUnderscores(std::string name)
{
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

bool isAssignmentInCourse(const TutorState& state, const std::string& number)
{
    const std::optional<int> header = findAssignmentHeader(state.scriptLines, number);
    return header && assignmentHasContent(state.scriptLines, *header);
}

// Asks until the number names an assignment with content; "" ends the program
// when it answers a repeated question.
std::optional<std::string> askAssignment(const TutorState& state, StartupServices& services)
{
    std::string number = padAssignmentNumber(services.input.ask(kAssignmentPrompt));
    while (!isAssignmentInCourse(state, number)) {
        tell(services,
             "Assignment " + (number.empty() ? std::string("(none)") : number)
                 + " is not in the course. The course has assignments " + availableAssignments(state.scriptLines)
                 + ". Please enter one of these numbers, or leave the box empty to stop.");
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
    const std::string fileName = spacesAsUnderscores(name);
    const std::string monthDay = date.substr(0, 2) + date.substr(3, 2);
    state.masterFilePath = native::joinPath(state.dataFolder, "masterFile_" + fileName + ".txt");
    state.sendFilePath = native::joinPath(state.dataFolder, "send_" + monthDay + fileName + ".txt");
    state.notesFilePath = native::joinPath(state.dataFolder, "notes_" + fileName + ".txt");
}

Flow setupStudent(TutorState& state, StartupServices& services)
{
    services.random.seed(static_cast<std::uint32_t>(services.clock.secondsSinceMidnight()));
    const float r = services.random.next();
    state.codeNumber = static_cast<int>(std::floor(static_cast<double>(r) * 10 + 19));

    state.dataFolder = services.defaultFolder;
    native::tryCreateFolder(services.defaultFolder);
    const std::string name = askName(services);
    state.dataFolder = chooseFolder(services);
    buildRecordPaths(state, name, services.clock.date());

    // The course is loaded before the assignment question so that a number
    // that is not in the course can be asked again.
    state.lineIndex = 0;
    loadQuestionBank(state);
    const std::optional<std::string> number = askAssignment(state, services);
    if (!number)
        return Flow::EndProgram;
    state.assignmentNumber = *number;
    state.responsePrompt = responsePromptText();
    state.nextAssignmentNumber = nextAssignmentNumber(state.assignmentNumber);
    state.lineIndex = 0;
    return Flow::Continue;
}

} // namespace calctutor
