#pragma once

#include <QString>

namespace mokpe::common {

// Whether Windows takes a file name as one of its devices in any folder:
// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, also with an extension
// ("nul.txt") or trailing spaces, in any case; and the console's CONIN$ and
// CONOUT$. Opening one reads a keyboard or a serial port, not a file.
bool isWindowsDeviceName(const QString &fileName);

} // namespace mokpe::common
