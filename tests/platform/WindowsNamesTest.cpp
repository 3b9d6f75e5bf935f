#include "platform/WindowsNames.h"

#include <gtest/gtest.h>

namespace calctutor::native {
namespace {

TEST(WindowsNames, RefusesReservedDevicesAndNamesWindowsWouldChange)
{
    const struct {
        const char* path;
        const char* said; // "" when the path is fine
    } rows[] = {
        {"c:\\tesmoril", ""},
        {"c:\\tesmoril\\masterFile_Ann.txt", ""},
        {"CON", "reserved"},
        {"c:\\work\\con.txt", "reserved"},
        {"d:/work/Nul .txt", "reserved"},
        {"c:\\AUX\\notes.txt", "reserved"},
        {"prn", "reserved"},
        {"COM1", "reserved"},
        {"lpt9.log", "reserved"},
        {"COM\xB9", "reserved"}, // a superscript one counts as a digit
        {"LPT\xB2", "reserved"},
        {"com\xB3.txt", "reserved"},
        {"con.tar.gz", "reserved"},
        {"COM0", ""},
        {"COM10", ""},
        {"CONSOLE", ""},
        {"xcon", ""},
        {"c:\\work.", "a dot or a space"},
        {"c:\\work \\send.txt", "a dot or a space"},
        {"c:\\work\\..\\tesmoril\\.\\notes.txt", ""},
        {"\\\\server\\share\\notes.txt", ""},
        {"relative\\send_0712Ann.txt", ""},
    };
    for (const auto& row : rows) {
        const std::optional<std::string> problem = windowsPathProblem(row.path);
        if (*row.said == '\0') {
            EXPECT_FALSE(problem.has_value()) << row.path << ": " << problem.value_or("");
        } else {
            ASSERT_TRUE(problem.has_value()) << row.path;
            EXPECT_NE(problem->find(row.said), std::string::npos) << row.path << ": " << *problem;
        }
    }
}

TEST(WindowsNames, TheMessageNamesTheOffendingName)
{
    EXPECT_EQ(windowsPathProblem("c:\\work\\aux.txt\\notes.txt").value_or(""),
              "the name \"aux.txt\" is reserved by Windows for a device");
    EXPECT_EQ(windowsNameProblem("work ").value_or(""),
              "the name \"work \" ends in a dot or a space, which Windows drops");
}

} // namespace
} // namespace calctutor::native
