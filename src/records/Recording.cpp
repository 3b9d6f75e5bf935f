#include "records/Recording.h"

#include "core/Services.h"
#include "core/TutorState.h"
#include "core/Windows1252.h"
#include "records/RecordEntries.h"
#include "records/RecordFiles.h"

namespace calctutor {

namespace {

void tellFailure(StudentMessages& messages, const std::string& what, const RecordError& error)
{
    messages.tell(windows1252ToUtf8(what + " was not recorded. " + error.message
                                    + " Your text is still in the answer box: fix the folder or free some space, "
                                      "then press the button again."));
}

// The rating line that follows a response, asked for by the last stop's kind.
std::optional<std::string> askRating(TutorState& state, InputBox& input)
{
    if (state.lineKind == "question")
        return std::string(kConfidenceLabel) + input.ask(kConfidencePrompt);
    if (state.lineKind == "answer") {
        state.selfCritiqueRating = input.ask(kSelfCritiquePrompt);
        return std::string(kSelfCritiqueLabel) + state.selfCritiqueRating;
    }
    return std::nullopt;
}

} // namespace

Recorded enterResponse(TutorState& state, const std::string& answerText, RecordingServices& services)
{
    if (answerText == state.responsePrompt)
        return Recorded::Invitation;

    RecordFiles::Opened opened = services.files.open({state.masterFilePath, state.sendFilePath});
    if (!opened.pending) {
        tellFailure(services.messages, "Your response", opened.error);
        return Recorded::Failed;
    }
    state.entryText = answerText;
    const std::string masterTime = services.clock.time();
    const std::string sendTime = services.clock.time();
    ResponseParts parts{state.lastLine, state.entryText, askRating(state, services.input), state.codeNumber};
    const double number = recordNumber(state.assignmentNumber, state.questionNumber);
    const std::vector<std::string> entries = {masterResponseEntry(parts, masterTime, number),
                                              sendResponseEntry(parts, sendTime)};
    if (auto error = opened.pending->commit(entries)) {
        tellFailure(services.messages, "Your response", *error);
        return Recorded::Failed;
    }
    state.awaitingResponse = false;
    return Recorded::Entry;
}

Recorded saveNote(TutorState& state, const std::string& answerText, RecordingServices& services)
{
    if (answerText == state.responsePrompt)
        return Recorded::Invitation;

    RecordFiles::Opened opened = services.files.open({state.masterFilePath, state.sendFilePath, state.notesFilePath});
    if (!opened.pending) {
        tellFailure(services.messages, "Your note", opened.error);
        return Recorded::Failed;
    }
    state.entryText = std::string(kNotePrefix) + answerText;
    std::vector<std::string> entries;
    for (int file = 0; file < 3; ++file) {
        const std::string time = services.clock.time();
        const std::string date = services.clock.date();
        const std::string dateLineTime = services.clock.time();
        entries.push_back(noteEntry(state.lastLine, state.entryText, time, date, dateLineTime, state.codeNumber));
    }
    if (auto error = opened.pending->commit(entries)) {
        tellFailure(services.messages, "Your note", *error);
        return Recorded::Failed;
    }
    state.awaitingResponse = false;
    return Recorded::Entry;
}

} // namespace calctutor
