#pragma once
// The logic words its messages in Windows-1252, like every other text it
// keeps; the message box takes UTF-8. This is the one place where a message
// crosses from one to the other, so no caller converts it on its own.

#include <string_view>

namespace calctutor {

class StudentMessages;

void tellStudent(StudentMessages& messages, std::string_view windows1252Message);

} // namespace calctutor
