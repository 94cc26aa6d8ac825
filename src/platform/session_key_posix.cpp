#include "platform/session_key.h"

#include <unistd.h>

namespace mokpe::platform {

QString sessionKey()
{
    return QStringLiteral("%1:%2:%3")
        .arg(::getuid())
        .arg(qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
}

} // namespace mokpe::platform
