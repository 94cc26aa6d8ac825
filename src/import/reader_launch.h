#pragma once

#include "platform/file_system.h"
#include "platform/messages.h"
#include "platform/processes.h"

namespace mokpe::import {

// "電子マネー読込み": starts the card reader program from its installation on
// drive C:, else on drive D:, without arguments and without waiting.
void readerLaunchCommand(platform::MessageService &messages, platform::FileSystemQuery &files,
                         platform::ProcessLauncher &processes);

} // namespace mokpe::import
