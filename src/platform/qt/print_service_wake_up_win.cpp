#include "platform/qt/print_service_wake_up.h"

#include <windows.h>

#include <winspool.h>

#include <vector>

namespace mokpe::platform {

// The requests Qt's Windows print support makes for the printer list and the
// default printer.
void wakePrintService()
{
    const DWORD kinds = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD returned = 0;
    EnumPrintersW(kinds, nullptr, 4, nullptr, 0, &needed, &returned);
    if (needed > 0) {
        std::vector<BYTE> printers(needed);
        EnumPrintersW(kinds, nullptr, 4, printers.data(), needed, &needed, &returned);
    }
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
}

} // namespace mokpe::platform
