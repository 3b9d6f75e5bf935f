#include "records/RecordFileNames.h"

#include <algorithm>

namespace calctutor {

std::string fileNamePart(std::string_view studentName)
{
    std::string name(studentName);
    std::replace(name.begin(), name.end(), ' ', '_');
    return name;
}

RecordFileNames recordFileNames(std::string_view studentName, std::string_view date)
{
    const std::string name = fileNamePart(studentName);
    const std::string monthDay = std::string(date.substr(0, 2)) + std::string(date.substr(3, 2));
    return {"masterFile_" + name + ".txt", "send_" + monthDay + name + ".txt", "notes_" + name + ".txt",
            ".pending_" + name + ".txt"};
}

std::string draftFileName(std::string_view studentName, std::string_view assignmentNumber)
{
    return ".draft_" + fileNamePart(studentName) + "_" + std::string(assignmentNumber) + ".txt";
}

std::vector<std::string> allFileNames(std::string_view studentName, std::string_view date)
{
    const RecordFileNames names = recordFileNames(studentName, date);
    std::vector<std::string> all = {names.master, draftFileName(studentName, "000"), names.pending, names.send,
                                    names.notes};
    std::stable_sort(all.begin(), all.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return all;
}

} // namespace calctutor
