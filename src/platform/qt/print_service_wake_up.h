#pragma once

namespace mokpe::platform {

// Asks the system's print service for its printers and lets the answer go.
// The first request after a while is the slow one, seconds where the next take
// milliseconds: a scheduler that starts on demand (and ends again when idle),
// the print libraries read from the disk, a spooler that first reaches its
// network printers. Run on a thread of its own, so that Qt's own lookup on the
// windows' thread then finds the service awake: through the CUPS library on
// Linux (print_service_wake_up_posix.cpp), the spooler on Windows
// (print_service_wake_up_win.cpp). Qt is kept out of it: its CUPS plugin
// registers its password dialog for the thread that loads it, which must be
// the windows' one.
void wakePrintService();

} // namespace mokpe::platform
