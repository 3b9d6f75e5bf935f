#include "core/AssignmentNumber.h"

#include "core/NumberText.h"

namespace calctutor {

std::string padAssignmentNumber(std::string_view typed)
{
    switch (typed.size()) {
    case 1: return "00" + std::string(typed);
    case 2: return "0" + std::string(typed);
    default: return std::string(typed);
    }
}

std::string nextAssignmentNumber(std::string_view assignmentNumber)
{
    return padAssignmentNumber(generalNumber(leadingNumber(assignmentNumber) + 1));
}

} // namespace calctutor
