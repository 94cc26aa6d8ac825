#include "app/os_version.h"

#include <cmath>

namespace mokpe::app {

int osMajorVersion(double version)
{
    return static_cast<int>(std::nearbyint(version));
}

} // namespace mokpe::app
