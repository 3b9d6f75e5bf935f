#include "startup/TutorStart.h"

#include "startup/AssignmentEntry.h"
#include "startup/StudentSetup.h"

namespace calctutor {

Flow startTutor(TutorState& state, const TutorServices& services)
{
    if (setupStudent(state, services) == Flow::EndProgram)
        return Flow::EndProgram;
    return enterAssignment(state, services);
}

} // namespace calctutor
