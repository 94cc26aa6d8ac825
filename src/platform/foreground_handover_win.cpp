#include "platform/foreground_handover.h"

#include <windows.h>

namespace mokpe::platform {

// Any process: the holder's process ID is not known here, and the right lapses
// at the user's next input anyway.
void allowForegroundHandover()
{
    AllowSetForegroundWindow(ASFW_ANY);
}

} // namespace mokpe::platform
