#pragma once
// One generated student's semester, played through the tutor on the simulated
// clock: the days the student works (some late enough to run past midnight),
// the assignments in order, where the student stops, starts an assignment
// again or gives up for good, and what is typed and rated at each stop.

#include "Dice.h"
#include "TutorRun.h"
#include "TypedTexts.h"

#include <string>

namespace calctutor::classgen {

class StudentSemester {
public:
    // The name and folder are Windows-1252; the dice are the student's own.
    StudentSemester(Desk& desk, TruthFile& truth, Dice& dice, std::string name, std::string folder);
    void play();

private:
    // Works through the assignment from its start; stops after quitAfter
    // stops when that is not negative. The first replayStops stops were
    // answered in an earlier start and are mostly passed over.
    void work(int assignment, int quitAfter, int replayStops);
    bool workAtStop(TutorRun& run, bool replaying);
    std::string typedNumber(int assignment);
    int sessionStart();
    void pause(int shortest, int longest) { m_desk.clock.advance(m_dice.between(shortest, longest)); }

    Desk& m_desk;
    TruthFile& m_truth;
    Dice& m_dice;
    TypedTexts m_texts;
    std::string m_name;
    std::string m_folder;
    double m_diligence = 0.9; // the chance of answering at a stop
    double m_noteRate = 0.03;
};

} // namespace calctutor::classgen
