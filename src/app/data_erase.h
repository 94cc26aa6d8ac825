#pragma once

#include "journal/journal_grid.h"

namespace mokpe::app {

// Releases the journal editor's undo snapshot when the program ends.
void Fm1_DataErase(journal::JournalGrid &grid);

} // namespace mokpe::app
