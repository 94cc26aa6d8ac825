#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "platform/system_info.h"
#include "settings/settings_file.h"

// The start-up of the program without its window, shared by the main window
// and the headless command.
namespace mokpe::app {

// In the main window's order, once the temporaries that writes cut short left
// in the program folder are removed (atomic_file.h): the settings file read (or created on the first
// start), the card kind reset, the OS version kept, the user list read with no
// user chosen, the account code file checked and read, the code system chosen.
// Every message goes through `messages`; a window then shows what this
// left in `state`. The launcher entry is the window's own business. Every step
// runs whatever the one before it met; false when the settings file could not be
// read or written, the user file could not be read or the account code file was
// there but could not be used (each already told, saying whether the caller
// goes on without the file, as the window does, or stops, as a command does).
bool programStart(AppState &state, platform::MessageService &messages, platform::SystemInfo &system,
                  settings::WhenUnusable whenUnusable = settings::WhenUnusable::GoOn);

// The user list read afresh: no user chosen (the summary prefix emptied), then
// "person.csv". False when the file was there but could not be read (told).
bool readUserList(AppState &state, platform::MessageService &messages);

} // namespace mokpe::app
