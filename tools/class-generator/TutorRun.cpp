#include "TutorRun.h"

#include "core/NumberText.h"
#include "core/Prompts.h"
#include "core/Windows1252.h"
#include "records/RecordEntries.h"
#include "records/Recording.h"
#include "script/Navigation.h"
#include "startup/StudentSetup.h"
#include "startup/TutorStart.h"

#include <algorithm>

namespace calctutor::classgen {

TutorRun::TutorRun(Desk& desk, TruthFile& truth, std::string name, std::string folder)
    : m_desk(desk), m_truth(truth), m_name(std::move(name)), m_folder(std::move(folder))
{
}

void TutorRun::start(const std::string& typedAssignment)
{
    m_desk.input.plan(std::string(kNamePrompt), m_name);
    m_desk.input.plan(firstFolderPrompt(m_folder), "");
    m_desk.input.plan(std::string(kAssignmentPrompt), typedAssignment);
    m_names = recordFileNames(m_name, m_desk.clock.date());
    m_startDay = m_desk.clock.day();
    if (startTutor(m_state, services()) == Flow::EndProgram)
        m_ended = true;
    checkQuiet();
    if (m_ended)
        throw GeneratorFault("the tutor did not take assignment " + typedAssignment);
}

bool TutorRun::next()
{
    if (m_ended)
        return false;
    m_ended = nextQuestion(m_state, m_desk.graphs).flow == Flow::EndProgram;
    return !m_ended;
}

void TutorRun::nextPicture()
{
    if (!m_ended && calctutor::nextPicture(m_state, m_desk.graphs) == Flow::EndProgram)
        throw GeneratorFault("next picture ended the tutor");
}

void TutorRun::respond(const std::string& text, const std::string& rating)
{
    const bool asksRating = text != m_state.responsePrompt && (lineKind() == "question" || lineKind() == "answer");
    if (lineKind() == "question" && asksRating)
        m_desk.input.plan(std::string(kConfidencePrompt), rating);
    else if (lineKind() == "answer" && asksRating)
        m_desk.input.plan(std::string(kSelfCritiquePrompt), rating);
    const std::string kind = lineKind() == "question" ? "answer" : lineKind() == "answer" ? "critique" : "response";
    TruthRow row = truthRow(kind, asksRating ? rating : "", text);
    if (text != m_state.responsePrompt && !entryCanBeDated())
        throw GeneratorFault("the first entry of a start would be written after midnight");
    const Recorded recorded = enterResponse(m_state, text, services());
    checkQuiet();
    if (recorded == Recorded::Entry)
        record(row);
}

void TutorRun::note(const std::string& text)
{
    TruthRow row = truthRow("note", "", text);
    row.files.push_back(windows1252ToUtf8(m_names.notes));
    std::sort(row.files.begin(), row.files.end());
    if (text != m_state.responsePrompt && !entryCanBeDated())
        throw GeneratorFault("the first entry of a start would be written after midnight");
    const Recorded recorded = saveNote(m_state, text, services());
    checkQuiet();
    if (recorded == Recorded::Entry)
        record(row);
}

// The generator shows no window: no beep is heard and no clipboard is used.
TutorServices TutorRun::services() const
{
    static NoBeep silence;
    return {m_desk.input, m_desk.messages, m_desk.clock, m_desk.random, m_desk.files, silence, nullptr, m_folder};
}

void TutorRun::record(const TruthRow& row)
{
    m_truth.add(row);
    m_recorded = true;
}

int TutorRun::assignment() const
{
    return static_cast<int>(leadingNumber(m_state.assignmentNumber));
}

void TutorRun::checkQuiet() const
{
    if (!m_desk.input.fault().empty())
        throw GeneratorFault(m_desk.input.fault());
    if (!m_desk.input.allAsked())
        throw GeneratorFault("a planned answer was not asked for");
    if (!m_desk.messages.first().empty())
        throw GeneratorFault("the tutor told the student: " + m_desk.messages.first());
}

// Taken just before the entry is written: the clock stands still until the
// tutor reads the master file's time.
TruthRow TutorRun::truthRow(const std::string& kind, const std::string& rating, const std::string& text) const
{
    TruthRow row;
    row.student = windows1252ToUtf8(m_name);
    row.date = m_desk.clock.isoDate();
    row.time = m_desk.clock.timeOfDay();
    row.assignment = assignment();
    row.question = static_cast<int>(leadingNumber(m_state.questionNumber));
    row.kind = kind;
    row.rating = reportText(rating);
    row.text = reportText(text);
    row.files = {windows1252ToUtf8(m_names.master), windows1252ToUtf8(m_names.send)};
    std::sort(row.files.begin(), row.files.end());
    return row;
}

} // namespace calctutor::classgen
