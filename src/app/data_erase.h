#pragma once

#include "common/app_state.h"

namespace mokpe::app {

// Releases the journal editor's undo snapshot when the program ends.
void Fm1_DataErase(AppState &state);

} // namespace mokpe::app
