#include "core/TellStudent.h"

#include "core/Services.h"
#include "core/Windows1252.h"

namespace calctutor {

void tellStudent(StudentMessages& messages, std::string_view windows1252Message)
{
    messages.tell(windows1252ToUtf8(windows1252Message));
}

} // namespace calctutor
