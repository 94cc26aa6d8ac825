#pragma once

#include <cmath>

namespace mokpe::common {

// Screen sizes are given in twips, 1/1440 inch.
inline int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

} // namespace mokpe::common
