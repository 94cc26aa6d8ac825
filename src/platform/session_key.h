#pragma once

#include <QString>

namespace mokpe::platform {

// Who runs this program where: the user and the desktop session. Two programs
// with the same key can bring each other's windows to the front; with
// different keys (another user, su or sudo, another login) they cannot.
QString sessionKey();

} // namespace mokpe::platform
