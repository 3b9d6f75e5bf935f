#pragma once
// The stored layout of the main window: every control with its name, kind,
// caption or initial text, rectangle in twips and tab index. The window is
// built by a loop over this table.

#include "pictures/Twips.h"

#include <array>
#include <string>
#include <string_view>

namespace calctutor {

enum class ControlKind { Button, MultiLineText, SingleLineText, Label, Picture, List };

struct ControlSpec {
    std::string_view name; // the group's name for the parameter controls
    int groupIndex;        // -1 unless the control belongs to a group
    ControlKind kind;
    std::string_view caption;
    int left, top, width, height; // twips from the client area's top-left corner
    int tabIndex;
};

inline constexpr int kClientWidthTwips = 10875;
inline constexpr int kClientHeightTwips = 8490;

inline constexpr std::array<ControlSpec, 29> kControls = {{
    {"txt_question", -1, ControlKind::MultiLineText, "", 240, 720, 5175, 3255, 0},
    {"txt_answer", -1, ControlKind::MultiLineText, " ", 5640, 720, 5055, 3255, 1},
    {"cmdNextQuestion", -1, ControlKind::Button, "Next Question / Answer", 240, 0, 975, 735, 2},
    {"cmd_enter_response", -1, ControlKind::Button, "Enter Response", 5640, 240, 855, 495, 3},
    {"Picture1", -1, ControlKind::Picture, "", 240, 4080, 5175, 3375, 4},
    {"Picture2", -1, ControlKind::Picture, "", 5640, 4080, 5055, 3375, 5},
    {"cmd_save_as_notes", -1, ControlKind::Button, "Save as Notes", 6480, 240, 855, 495, 6},
    {"cmd_Make_paragraph", -1, ControlKind::Button, "Make Paragraph", 7320, 240, 975, 495, 7},
    {"cmd_Make_Paragraph_question", -1, ControlKind::Button, "Make Paragraph", 1200, 240, 855, 495, 8},
    {"txt_paragraph_goback", -1, ControlKind::SingleLineText, "1", 3120, 240, 150, 285, 9},
    {"lbl_paragraph_goback", -1, ControlKind::Label, "# sentences previous", 2880, 360, 135, 135, 10},
    {"cmd_timerTrigger", -1, ControlKind::Button, "Trigger Timer", 2400, 7560, 735, 495, 11},
    {"List1", -1, ControlKind::List, "", 3120, 7680, 1695, 840, 12},
    {"lbl_parameter", 0, ControlKind::Label, "Parameter 1", 5640, 7680, 900, 195, 13},
    {"txt_parameter", 0, ControlKind::SingleLineText, "1", 6720, 7680, 300, 285, 14},
    {"lbl_parameter", 1, ControlKind::Label, "Parameter 2", 5640, 8160, 855, 195, 15},
    {"txt_parameter", 1, ControlKind::SingleLineText, "1", 6720, 8160, 300, 285, 16},
    {"lbl_parameter", 2, ControlKind::Label, "Parameter 3", 7200, 7680, 1005, 195, 17},
    {"txt_parameter", 2, ControlKind::SingleLineText, "1", 8205, 7680, 300, 285, 18},
    {"lbl_parameter", 3, ControlKind::Label, "Parameter 4", 7200, 8160, 900, 195, 19},
    {"txt_parameter", 3, ControlKind::SingleLineText, "1", 8205, 8160, 300, 285, 20},
    {"cmd_displayCumulativeText", -1, ControlKind::Button, "display SEND file", 4440, 240, 855, 495, 21},
    {"cmd_display_note_file", -1, ControlKind::Button, "display notes", 3360, 360, 135, 195, 22},
    {"cmd_quit", -1, ControlKind::Button, "quit program", 10200, 0, 735, 495, 23},
    {"cmd_pend_exp", -1, ControlKind::Button, "pend exp", 8640, 7560, 495, 375, 24},
    {"cmd_next_picture", -1, ControlKind::Button, "next picture", 1200, 7560, 855, 495, 25},
    {"lbl_only_if_prompted", -1, ControlKind::Label, "click only if prompted", 240, 7560, 855, 495, 26},
    {"cmd_copy_picture", -1, ControlKind::Button, "copy picture", 1200, 8160, 855, 495, 27},
    {"cmd_clear_answer_box", -1, ControlKind::Button, "clear box", 8280, 240, 855, 495, 28},
}};

inline constexpr int kTimerIntervalMs = 15;

// The object name of a control: "txt_parameter_2" for a group member.
std::string controlName(const ControlSpec& control);

// What a screen reader says for the control.
std::string accessibleNameOf(const ControlSpec& control);

// The control's entry in the table, by object name; null when there is none.
const ControlSpec* findControl(std::string_view objectName);

} // namespace calctutor
