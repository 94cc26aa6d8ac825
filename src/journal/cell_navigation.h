#pragma once

#include "journal/journal_grid.h"

// Where the keyboard and a drag of the mouse may take the current cell. Both
// reach every journal row, the last one included, and stop there: the empty
// rows below the journal are reached only by a click.
namespace mokpe::journal {

enum class NavigationKey { Left, Up, Right, Down, PageUp, PageDown };

// The current cell after a key in the cell editor: one column left or right
// within columns 1 to 6, one row up or down, five rows for the page keys (up
// to row 1 at most, down to the last journal row at most). A key that would
// leave those bounds leaves the cell where it is; Page Down never moves up.
CellPosition cellAfterKey(CellPosition current, NavigationKey key, int journalRowCount);

// The row after Enter has committed a cell: one down while the current row
// lies above the last journal row.
int rowAfterEnter(int row, int journalRowCount);

// The row under the pointer at button-up of a drag that began on `startRow`,
// whose cell's top edge stood at `startCellTop`: whole cell heights below that
// edge, rounded down, added to the start row (fewer than the start row for a
// drag upward). A release below the last journal row gives the last journal
// row. Positions and the height in one unit, the height above 0.
int dragEndRow(int startRow, int startCellTop, int releaseY, int cellHeight, int journalRowCount);

} // namespace mokpe::journal
