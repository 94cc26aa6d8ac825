#pragma once

#include "journal/journal_grid.h"

// Where the keyboard and a drag of the mouse may take the current cell. Both
// reach every journal row, the last one included, and stop there: the empty
// rows below the journal are reached only by a click.
namespace mokpe::journal {

enum class NavigationKey { Left, Up, Right, Down, PageUp, PageDown };

// The current cell after a key in the cell editor: one column left or right
// within columns 1 to 6, one row up or down, `pageRows` rows (the rows in view,
// at least one) for the page keys (up to row 1 at most, down to the last
// journal row at most). A key that would leave those bounds leaves the cell
// where it is; Page Down never moves up.
CellPosition cellAfterKey(CellPosition current, NavigationKey key, int journalRowCount, int pageRows);

// The row after Enter has committed a cell: one down while the current row
// lies above the last journal row.
int rowAfterEnter(int row, int journalRowCount);

} // namespace mokpe::journal
