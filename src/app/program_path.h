#pragma once

#include "common/app_state.h"

#include <QString>

namespace mokpe::app {

// The GUI program's own file in the program folder, with the platform's
// separators: the launcher entry and the desktop shortcut both point at it.
QString programExecutablePath(const AppState &state);

} // namespace mokpe::app
