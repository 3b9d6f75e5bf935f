#include "core/AssignmentNumber.h"

#include "core/NumberText.h"

namespace calctutor {

std::string padAssignmentNumber(std::string_view typed)
{
    if (typed.size() != 1 && typed.size() != 2)
        return std::string(typed);
    std::string padded(3 - typed.size(), '0');
    padded += typed;
    return padded;
}

std::string nextAssignmentNumber(std::string_view assignmentNumber)
{
    return padAssignmentNumber(generalNumber(leadingNumber(assignmentNumber) + 1));
}

} // namespace calctutor
