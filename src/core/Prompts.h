#pragma once
// The questions that start-up asks and the invitation that the answer box
// shows when a response is expected, word for word.

#include <string>
#include <string_view>

namespace calctutor {

inline constexpr std::string_view kNamePrompt = "Your full name:  ";
inline constexpr std::string_view kAssignmentPrompt = "Assignment Number:  ";
inline constexpr std::string_view kWindowsDefaultFolder = "c:\\tesmoril";

// The two folder questions name the default folder of this platform.
std::string firstFolderPrompt(std::string_view defaultFolder);
std::string secondFolderPrompt(std::string_view defaultFolder);

inline constexpr std::string_view kResponseInvitation1 =
    "Enter, as appropriate, an answer to the question, a critique of your answer in response to a given "
    "answer, your insights regarding the situation at this point, notes to yourself, or just an OK.";
inline constexpr std::string_view kResponseInvitation2 =
    "Always critique your solutions by describing any insights you had or errors you makde, and by "
    "explaining how you can make use of the insight or how you now know how to avoid certain errors.  "
    "Also pose for the instructor any question or questions that you have related to the problem or "
    "series of problems.";

// The two invitations with one blank line between them.
std::string responsePromptText();

} // namespace calctutor
