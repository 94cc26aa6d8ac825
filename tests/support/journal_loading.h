#pragma once

#include "common/app_state.h"

#include <QString>

namespace mokpe::test {

// Reads a saved journal file into the card history and the journal grid, as
// the journal editor's start-up does for card kind 2 (no summary prefix).
void loadJournalFile(AppState &state, const QString &path);

} // namespace mokpe::test
