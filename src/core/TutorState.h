#pragma once
// The variables of one run of the tutor: where it stands in the course,
// the last stop shown, the student's record files and the texts handed from one
// handler to the next. The main window holds one and every handler works on it.
// Texts are single-byte Windows-1252 strings; lines inside a text end in CR LF.

#include <string>
#include <vector>

namespace calctutor {

inline constexpr int kLastScriptIndex = 5000;

struct TutorState {
    std::string currentLine;
    bool awaitingResponse = false;
    std::string lastLine;
    std::string masterFilePath;
    std::string sendFilePath;
    std::string notesFilePath;
    // Hidden beside the record files: the entry being written, so that one
    // cut short by a kill or a power cut can be undone.
    std::string pendingFilePath;
    // Hidden beside the record files: the answer being typed, until recorded.
    std::string draftFilePath;
    std::string assignmentNumber;
    std::string nextAssignmentNumber;
    std::string responsePrompt;
    std::string questionNumber;
    std::string entryText;
    int codeNumber = 0;
    std::string dataFolder;
    int lineIndex = 0;
    std::vector<std::string> scriptLines = std::vector<std::string>(kLastScriptIndex + 1);
    std::string lineKind;
    std::string selfCritiqueRating;
};

} // namespace calctutor
