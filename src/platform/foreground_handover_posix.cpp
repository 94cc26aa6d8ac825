#include "platform/foreground_handover.h"

namespace mokpe::platform {

void allowForegroundHandover()
{}

} // namespace mokpe::platform
