#include "startup/StartupMessages.h"

#include "platform/NativeFiles.h"
#include "records/RecordMessages.h"

namespace calctutor {

namespace {

// "12 bytes", or "12 characters" on Windows.
std::string lengthText(std::size_t length)
{
    return std::to_string(length) + " " + std::string(native::lengthUnit());
}

} // namespace

std::string unsafeNameMessage(const std::string& unsafe)
{
    return "Your name becomes part of the names of your record files, so it cannot contain " + unsafe
        + ". These characters are not allowed in a name: / \\ : * ? \" < > | and control characters. Please type "
          "your name again.";
}

std::string nameTooLongMessage(const std::string& longestFile, std::size_t length, std::size_t limit)
{
    return "Your name is too long to be part of the names of your record files: the file " + longestFile
        + " would have " + lengthText(length) + ", and a file name can have at most " + std::to_string(limit)
        + ". Please type a shorter name.";
}

std::string fileNameTooLongReason(const std::string& name, std::size_t nameLength, std::size_t limit)
{
    return "its file system takes file names of at most " + lengthText(limit) + ", and " + name + " has "
        + std::to_string(nameLength);
}

std::string pathTooLongReason(const std::string& name, std::size_t pathLength, std::size_t limit)
{
    return "its path is too long: the path of " + name + " in it would have " + lengthText(pathLength)
        + ", and this system takes at most " + std::to_string(limit);
}

std::string defaultFolderUnusableMessage(const std::string& defaultFolder, const std::string& problem)
{
    const Failure failure{
        .what = "The default folder", .doing = "cannot be created or used", .path = defaultFolder, .reason = problem};
    return failureSentence(failure) + " Please enter the folder to which your files should be written.";
}

std::string folderUnusableMessage(const std::string& folder, const std::string& problem,
                                  const std::string& defaultFolder)
{
    const Failure failure{.doing = "Your files cannot be written to the folder", .path = folder, .reason = problem};
    return failureSentence(failure)
        + " Please enter another folder, or just hit the Enter key to keep the default folder " + defaultFolder + ".";
}

std::string notInCourseAskAgainMessage(const std::string& number, const std::string& available)
{
    return "Assignment " + (number.empty() ? std::string("(none)") : number)
        + " is not in the course. The course has assignments " + available
        + ". Please enter one of these numbers, or leave the box empty to stop.";
}

std::string notInCourseEndMessage(const std::string& number)
{
    return "Assignment " + number
        + " is not in the course, so the tutor cannot go on. Start it again and choose another assignment.";
}

std::string cannotGoOnMessage(const Failure& failure)
{
    return "The start of your work cannot be recorded, so the tutor cannot go on. " + failureSentence(failure)
        + " Check the folder you chose for your files, then start the tutor again.";
}

} // namespace calctutor
