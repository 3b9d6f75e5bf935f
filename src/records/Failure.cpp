#include "records/Failure.h"

#include "platform/NativeFiles.h"

namespace calctutor {

Failure becauseOf(Failure failure, const native::Fault& fault)
{
    failure.reason = fault.reason;
    failure.remedy = fault.notPlainFile ? Remedy::ClearTheName : Remedy::FixFolderOrFreeSpace;
    return failure;
}

} // namespace calctutor
