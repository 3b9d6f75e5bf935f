#pragma once
// One start of the tutor for one generated student, driven through the
// tutor's own start-up, assignment entry, navigation and recording the way
// the window drives them, with the answer to every input box planned. Each
// entry it records goes to the truth file with the files it went to. Anything
// unexpected (a question that was not planned, a message for the student, an
// entry not written) is a fault of the generator and ends it.

#include "PlannedServices.h"
#include "SimulatedClock.h"
#include "TruthFile.h"

#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "records/RecordFileNames.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace calctutor {
class RecordFiles;
}

namespace calctutor::classgen {

struct Desk {
    SimulatedClock& clock;
    PlannedInput& input;
    KeptMessages& messages;
    RandomSource& random;
    RecordFiles& files;
    GraphDisplay& graphs;
};

class GeneratorFault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TutorRun {
public:
    // The name and folder are Windows-1252, as typed into the tutor.
    TutorRun(Desk& desk, TruthFile& truth, std::string name, std::string folder);

    // Start-up and assignment entry; the assignment number as the student types it.
    void start(const std::string& typedAssignment);
    // "Next Question / Answer"; false once the program has ended.
    bool next();
    void nextPicture();
    // "Enter Response" with the answer box's text and the rating typed, if
    // the tutor asks for one.
    void respond(const std::string& text, const std::string& rating);
    // "Save as Notes" with the answer box's text.
    void note(const std::string& text);

    // Whether an entry written now can be dated from the record files. A
    // start header carries its date but no time, and later entries only
    // their time, so an entry is dated by its start's date plus the times of
    // day that ran backwards before it. The first entry of a start must
    // therefore be written on the start's day: past midnight it would read as
    // an entry of the day before.
    TutorServices services() const;
    bool entryCanBeDated() const { return m_recorded || m_desk.clock.day() == m_startDay; }

    // The kind of the last question or answer shown: "question", "answer" or "".
    const std::string& lineKind() const { return m_state.lineKind; }
    const std::string& responsePrompt() const { return m_state.responsePrompt; }
    int assignment() const;

private:
    void checkQuiet() const;
    void record(const TruthRow& row);
    TruthRow truthRow(const std::string& kind, const std::string& rating, const std::string& text) const;

    Desk& m_desk;
    TruthFile& m_truth;
    std::string m_name;
    std::string m_folder;
    RecordFileNames m_names;
    TutorState m_state;
    std::int64_t m_startDay = 0;
    bool m_recorded = false; // an entry of this start has been written
    bool m_ended = false;
};

} // namespace calctutor::classgen
