#include "platform/qt/print_service_wake_up.h"

#include <cups/cups.h>
#include <dlfcn.h>

namespace mokpe::platform {

void wakePrintService()
{
    // Loaded the way Qt's print plugin loads it, and kept: the plugin then
    // finds it and the libraries it needs in memory.
    static void *const cups = dlopen("libcups.so.2", RTLD_LAZY);
    if (!cups)
        return;
    const auto getDests = reinterpret_cast<decltype(&cupsGetDests)>(dlsym(cups, "cupsGetDests"));
    const auto freeDests = reinterpret_cast<decltype(&cupsFreeDests)>(dlsym(cups, "cupsFreeDests"));
    if (!getDests || !freeDests)
        return;
    cups_dest_t *dests = nullptr;
    const int count = getDests(&dests);
    freeDests(count, dests);
}

} // namespace mokpe::platform
