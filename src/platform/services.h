#pragma once

#include "platform/clock.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/input_modes.h"
#include "platform/launcher_entry.h"
#include "platform/messages.h"
#include "platform/printer_service.h"
#include "platform/processes.h"
#include "platform/shortcut.h"
#include "platform/system_info.h"

namespace mokpe::platform {

// The services a command needs, handed down from main (or a test). A command
// uses only those it needs; the others may be null where the caller knows it.
struct Services {
    MessageService *messages = nullptr;
    FileDialogService *dialogs = nullptr;
    ProcessLauncher *processes = nullptr;
    FileSystemQuery *files = nullptr;
    LauncherEntryService *launcher = nullptr;
    ShortcutService *shortcuts = nullptr;
    SystemInfo *system = nullptr;
    Clock *clock = nullptr;
    PrinterService *printers = nullptr;
    InputModeService *inputModes = nullptr;
};

} // namespace mokpe::platform
