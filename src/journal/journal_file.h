#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/journal_grid.h"

#include <QString>

class QIODevice;

// The journal file: the grid's headings and then one line per journal row, the
// seven cells joined by "," without quoting, CP932 with CR LF. The summary is
// the last field and may hold commas; the fields before it may not.
namespace mokpe::journal {

// Grid row `row` as a journal file line.
QString journalFileLine(const JournalGrid &grid, int row);

// Empty when rows 0 to the journal row count hold no "," in columns 0 to 5,
// else the message naming the first row and column that does.
QString journalCommaCheck(const JournalGrid &grid);

// Writes grid rows 0 to the journal row count to `device`, encoded once for the
// whole file. Empty text on success; else the message: a character CP932
// cannot hold (named with its row and column, nothing written) or the device's
// failure (named with `pathForMessages`).
QString writeJournalFile(QIODevice &device, const JournalGrid &grid, const QString &pathForMessages);

// Fills the grid from a journal file's lines (card kind 2), one grid row per
// line from row 0 (the file's headings): columns 0 to 5 are the fields before
// the sixth comma, column 6 is `summaryPrefix` and the whole rest of the line
// (the rest alone when it begins with a user's tag already, "No.1: 山田，").
// Every cell white; the journal row count is the last line index; the current
// cell row 1, column 1. The lines loaded are told to `progress`; false when the
// user stopped the loading (the grid is then half filled and to be reset).
bool Fm2_JournalLoad(JournalGrid &grid, const CardHistory &history, const QString &summaryPrefix,
                     common::Progress &progress = common::noProgress());

} // namespace mokpe::journal
