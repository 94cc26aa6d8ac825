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

// Every service of the window program, made in main (or a test) and handed to
// the main window, which passes each command the few it uses.
struct Services {
    MessageService &messages;
    FileDialogService &dialogs;
    ProcessLauncher &processes;
    FileSystemQuery &files;
    LauncherEntryService &launcher;
    ShortcutService &shortcuts;
    SystemInfo &system;
    Clock &clock;
    PrinterService &printers;
    InputModeService &inputModes;
};

} // namespace mokpe::platform
