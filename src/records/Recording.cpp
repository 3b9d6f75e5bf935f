#include "records/Recording.h"

#include "core/TellStudent.h"
#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "records/AnswerDraft.h"
#include "records/EntryLimits.h"
#include "records/RecordEntries.h"
#include "records/RecordFiles.h"
#include "records/RecordMessages.h"

namespace calctutor {

namespace {

void tellFailure(StudentMessages& messages, const std::string& what, const Failure& failure)
{
    tellStudent(messages, notRecordedMessage(what, failure));
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

// An answer beyond any the tutor records is refused before a file is opened
// or a rating asked for.
bool tooLong(const std::string& answerText, const std::string& what, StudentMessages& messages)
{
    if (answerText.size() <= kLongestAnswer)
        return false;
    tellStudent(messages, tooLongToRecordMessage(what, answerText.size(), kLongestAnswer));
    return true;
}

// Commits the entry built once the files are open, and tells the student
// what went wrong, or about an interrupted entry that was undone first.
template <typename BuildEntries>
Recorded record(TutorState& state, const std::vector<std::string>& paths, const std::string& what,
                const TutorServices& services, BuildEntries buildEntries)
{
    RecordFiles::Opened opened = services.files.open(state.pendingFilePath, paths);
    if (!opened.entry) {
        tellFailure(services.messages, what, *opened.failure);
        return Recorded::Failed;
    }
    const std::optional<Failure> failure = opened.entry->commit(buildEntries());
    if (const std::optional<std::string> notice = opened.entry->repairNotice())
        tellStudent(services.messages, *notice);
    if (failure) {
        tellFailure(services.messages, what, *failure);
        return Recorded::Failed;
    }
    state.awaitingResponse = false;
    discardDraft(state.draftFilePath);
    return Recorded::Entry;
}

} // namespace

Recorded enterResponse(TutorState& state, const std::string& answerText, const TutorServices& services)
{
    if (answerText == state.responsePrompt)
        return Recorded::Invitation;
    if (tooLong(answerText, "Your response", services.messages))
        return Recorded::Failed;
    return record(state, {state.masterFilePath, state.sendFilePath}, "Your response", services, [&] {
        state.entryText = answerText;
        const std::string masterTime = services.clock.time();
        const std::string sendTime = services.clock.time();
        const ResponseParts parts{state.lastLine, state.entryText, askRating(state, services.input), state.codeNumber};
        const double number = recordNumber(state.assignmentNumber, state.questionNumber);
        return std::vector<std::string>{masterResponseEntry(parts, masterTime, number),
                                        sendResponseEntry(parts, sendTime)};
    });
}

Recorded saveNote(TutorState& state, const std::string& answerText, const TutorServices& services)
{
    if (answerText == state.responsePrompt)
        return Recorded::Invitation;
    if (tooLong(answerText, "Your note", services.messages))
        return Recorded::Failed;
    return record(state, {state.masterFilePath, state.sendFilePath, state.notesFilePath}, "Your note", services, [&] {
        state.entryText = std::string(kNotePrefix) + answerText;
        std::vector<std::string> entries;
        for (int file = 0; file < 3; ++file) {
            const std::string time = services.clock.time();
            const std::string date = services.clock.date();
            const std::string dateLineTime = services.clock.time();
            entries.push_back(noteEntry(state.lastLine, state.entryText, time, date, dateLineTime, state.codeNumber));
        }
        return entries;
    });
}

} // namespace calctutor
