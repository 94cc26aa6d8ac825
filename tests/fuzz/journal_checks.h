#pragma once

#include "fuzz_entries.h"

#include "common/app_state.h"
#include "journal/journal_editor.h"
#include "journal/journal_grid.h"

// Rules every journal keeps, however it was made.
namespace mokpe::fuzz {

// The grid's shape: the journal row count lies within the grid and the grid
// offers at least its minimum of rows.
void checkGridShape(Findings &findings, const journal::JournalGrid &grid);

// The rows a construction wrote: row 0 keeps the headings, every journal row
// carries its number and books one amount on both sides.
void checkBuiltRows(Findings &findings, const journal::JournalGrid &grid);

// The settlement label reads as "精算金額：" and a whole number with its
// thousands separators in the right places.
void checkSettlementLabel(Findings &findings, const QString &label);

// Every balance cell settled as the unsettled-amount dialog settles it: a
// balance that is a number through "前回の残金" (previous balance = balance +
// 100), any other in direct mode with 100. Afterwards no balance cell is left.
void settleBalanceCells(Findings &findings, journal::JournalEditor &editor);

// "保　存" without the dialog: when the comma check lets the journal be saved
// and CP932 holds every text, the file is written and loads back into the same
// rows and texts (each text as CP932 holds it: "～" written as 0x8160 comes
// back as U+FF5E whichever tilde it was). Under the grid's own headings the
// file is read as CP932 and recognised as a journal file.
void checkSaveAndReload(Findings &findings, const journal::JournalGrid &grid);

} // namespace mokpe::fuzz
