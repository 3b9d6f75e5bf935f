#include "StudentSemester.h"

namespace calctutor::classgen {

namespace {

constexpr int kAssignments = 16;
constexpr int kMinute = 60;
constexpr int kHour = 3600;

} // namespace

StudentSemester::StudentSemester(Desk& desk, TruthFile& truth, Dice& dice, std::string name, std::string folder)
    : m_desk(desk), m_truth(truth), m_dice(dice), m_texts(dice), m_name(std::move(name)), m_folder(std::move(folder))
{
}

void StudentSemester::play()
{
    m_diligence = 0.75 + 0.23 * static_cast<double>(m_dice.below(1000)) / 1000;
    m_noteRate = 0.01 + 0.07 * static_cast<double>(m_dice.below(1000)) / 1000;
    const int last = m_dice.chance(0.2) ? m_dice.between(1, 12) : kAssignments;
    const bool givesUpInLast = last < kAssignments && m_dice.chance(0.6);

    m_desk.clock.laterDay(m_dice.between(1, 4), sessionStart());
    for (int assignment = 1; assignment <= last; ++assignment) {
        const bool givesUp = assignment == last && givesUpInLast;
        const bool restarts = !givesUp && m_dice.chance(0.1);
        const int quitAfter = givesUp || restarts ? m_dice.between(1, 6) : -1;
        work(assignment, quitAfter, 0);
        if (restarts) {
            if (m_dice.chance(0.5))
                pause(10 * kMinute, 2 * kHour);
            else
                m_desk.clock.laterDay(1, sessionStart());
            work(assignment, -1, quitAfter);
        }
        // The next assignment: often at once, otherwise on a later day.
        if (m_dice.chance(0.35))
            pause(5 * kMinute, 40 * kMinute);
        else
            m_desk.clock.laterDay(m_dice.between(1, 6), sessionStart());
    }
}

void StudentSemester::work(int assignment, int quitAfter, int replayStops)
{
    TutorRun run(m_desk, m_truth, m_name, m_folder);
    run.start(typedNumber(assignment));
    pause(5, 60);
    // Pressed before the first stop: a response with no rating, a note with no context.
    if (m_dice.chance(0.02) && run.entryCanBeDated()) {
        run.respond(m_texts.answer(), "");
        pause(20, 120);
    }
    if (m_dice.chance(0.02) && run.entryCanBeDated()) {
        run.note(m_texts.note());
        pause(20, 120);
    }
    // Assignment 004 repeats 003 and says so at its first stop; many leave there.
    const bool leavesAtFirstStop = assignment == 4 && m_dice.chance(0.5);
    for (int stop = 1; run.next(); ++stop) {
        pause(20, 4 * kMinute);
        if ((quitAfter >= 0 && stop > quitAfter) || leavesAtFirstStop)
            return; // "quit program"
        if (!workAtStop(run, stop <= replayStops))
            return;
    }
    pause(kMinute, 3 * kMinute);
}

// False when the student has stopped for the night: a start that has
// recorded nothing by midnight ends there, since its entries could not be
// dated (TutorRun::entryCanBeDated).
bool StudentSemester::workAtStop(TutorRun& run, bool replaying)
{
    if (m_dice.chance(m_noteRate)) {
        pause(30, 5 * kMinute);
        if (!run.entryCanBeDated())
            return false;
        run.note(m_texts.note());
    }
    if (!m_dice.chance(replaying ? 0.4 : m_diligence)) {
        // Moving on without a response; now and then Enter Response is
        // pressed on the untouched invitation, which records nothing.
        if (m_dice.chance(0.05))
            run.respond(run.responsePrompt(), "");
        return true;
    }
    const bool afterQuestion = run.lineKind() == "question";
    std::string text = afterQuestion ? m_texts.answer() : m_texts.critique();
    if (m_dice.chance(0.003))
        text = run.responsePrompt() + "x"; // typed after the invitation instead of over it
    const std::string rating = afterQuestion ? m_texts.confidence() : m_texts.selfCritiqueRating();
    pause(afterQuestion ? kMinute : 20, afterQuestion ? 12 * kMinute : 4 * kMinute);
    if (!run.entryCanBeDated())
        return false;
    // Now and then the clock passes a second between the master and the send file's time.
    if (m_dice.chance(0.05))
        m_desk.clock.stepAfterNextReading();
    run.respond(text, rating);
    pause(3, 20);
    if (!afterQuestion && m_dice.chance(0.5))
        run.nextPicture();
    return true;
}

std::string StudentSemester::typedNumber(int assignment)
{
    const std::string plain = std::to_string(assignment);
    const std::uint64_t form = m_dice.below(10);
    if (form < 7)
        return plain;
    if (form < 9)
        return "0" + plain;                            // "05", "012"
    return std::string(3 - plain.size(), '0') + plain; // "005"
}

// Most students work in the late afternoon or evening; some start so late
// that the session runs past midnight.
int StudentSemester::sessionStart()
{
    const std::uint64_t kind = m_dice.below(100);
    if (kind < 8)
        return 23 * kHour + m_dice.between(0, 50 * kMinute);
    if (kind < 28)
        return m_dice.between(9 * kHour, 16 * kHour);
    return m_dice.between(16 * kHour, 23 * kHour);
}

} // namespace calctutor::classgen
