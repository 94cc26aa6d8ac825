#pragma once

#include "platform/system_info.h"

namespace mokpe::platform {

// Windows: the version as major.minor (6.1, 10.0). Elsewhere the distribution's
// version (Debian 12 gives 12.0): never 6, so the shortcut is made directly.
class OsSystemInfo final : public SystemInfo {
public:
    double osVersion() override;
};

} // namespace mokpe::platform
