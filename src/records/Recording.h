#pragma once
// "Enter Response" and "Save as Notes": one complete entry to every record file
// it concerns, or nothing to any of them. The files are opened before the
// rating box is shown; if one cannot be opened, or a write fails, the student
// is told which file and why, and the text stays in the answer box.

#include <string>

namespace calctutor {

struct TutorState;
struct TutorServices;

enum class Recorded {
    Entry,      // written; both boxes are emptied
    Invitation, // the answer box held only the invitation: nothing written, boxes emptied
    Failed,     // nothing written; the student was told; the text stays
};

[[nodiscard]] Recorded enterResponse(TutorState& state, const std::string& answerText, const TutorServices& services);
[[nodiscard]] Recorded saveNote(TutorState& state, const std::string& answerText, const TutorServices& services);

} // namespace calctutor
