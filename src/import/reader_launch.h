#pragma once

#include "platform/services.h"

namespace mokpe::import {

// "電子マネー読込み": starts the card reader program from its installation on
// drive C:, else on drive D:, without arguments and without waiting.
// Uses services.messages, services.files and services.processes.
void readerLaunchCommand(const platform::Services &services);

} // namespace mokpe::import
