#pragma once
// Whether the program goes on after an operation. Operations that can end the
// program say so in their result; the window then quits its event loop, so no
// further step of any handler runs.

namespace calctutor {

enum class Flow { Continue, EndProgram };

} // namespace calctutor
