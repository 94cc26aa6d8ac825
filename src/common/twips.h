#pragma once

namespace mokpe::common {

// Screen sizes are given in twips, 1/1440 inch.
inline int twipsToPixels(int twips, double dotsPerInch)
{
    return static_cast<int>(twips * dotsPerInch / 1440.0 + 0.5);
}

} // namespace mokpe::common
