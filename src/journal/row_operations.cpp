// Row operations and undo of the journal editor: insert, append, delete one
// row or every row of a kind, and the one-step undo. Each takes the undo
// snapshot first and keeps column 0 numbered 1 to the journal row count.
#include "common/vb_strings.h"
#include "journal/journal_editor.h"
#include "journal/journal_messages.h"

#include <algorithm>
#include <vector>

namespace mokpe::journal {

namespace {

// Below a short journal the grid keeps its empty rows to type into; a long one
// ends at its last journal row.
int rowTotalFor(int journalRowCount)
{
    return std::max(kMinimumRowTotal, journalRowCount + 1);
}

bool isBulkDeleted(const JournalGrid &grid, int row, BulkDelete which)
{
    if (which == BulkDelete::GoodsRows)
        return grid.text(row, SummaryColumn).contains(QStringLiteral("物販"));
    // Only a number can be zero: an empty or written-out amount stays.
    const std::optional<qint64> amount = common::toWholeNumber(grid.text(row, DebitAmountColumn));
    return amount && *amount == 0;
}

} // namespace

void JournalEditor::Fm2_UndoSave()
{
    grid().takeSnapshot(grid().lastRowWithText(), grid().journalRowCount());
}

bool JournalEditor::insertRowCommand()
{
    JournalGrid &g = grid();
    const int row = g.current().row;
    // Further below, the new row would stand apart from the journal with a
    // number of its own.
    if (row < 1 || row > g.journalRowCount() + 1)
        return false;
    Fm2_UndoSave();
    g.insertRow(row);
    g.setJournalRowCount(g.journalRowCount() + 1);
    g.setRowTotal(rowTotalFor(g.journalRowCount()));
    g.Fm2_RowNumbering();
    g.setModified(true);
    return true;
}

void JournalEditor::appendRowCommand()
{
    JournalGrid &g = grid();
    Fm2_UndoSave();
    const int row = g.journalRowCount() + 1;
    g.setJournalRowCount(row);
    g.insertRow(row);
    g.Fm2_RowNumbering();
    g.setModified(true);
}

bool JournalEditor::Fm2_RowDelete(int row)
{
    JournalGrid &g = grid();
    // A row below the journal is no journal row: deleting it would lower the
    // count and drop the last journal row from save and export.
    const bool deletable = row >= 1 && row <= g.journalRowCount();
    if (deletable) {
        g.setCurrent({row, g.current().column});
        Fm2_UndoSave();
        g.removeRow(row);
        g.setJournalRowCount(g.journalRowCount() - 1);
        g.setRowTotal(rowTotalFor(g.journalRowCount()));
        g.Fm2_RowNumbering();
        g.setModified(true);
    }
    Fm2_TotalShow();
    return deletable;
}

bool JournalEditor::deleteRowCommand()
{
    return Fm2_RowDelete(grid().current().row);
}

bool JournalEditor::deleteLastRowCommand()
{
    return Fm2_RowDelete(grid().journalRowCount());
}

int JournalEditor::Fm2_BulkRowDelete(BulkDelete which)
{
    if (!services_.messages.ask(kBulkDeleteQuestion, kBulkDeleteTitle))
        return 0;
    JournalGrid &g = grid();
    const int count = g.journalRowCount();
    std::vector<int> rows;
    for (int r = 1; r <= count; ++r) {
        if (isBulkDeleted(g, r, which))
            rows.push_back(r);
    }
    if (rows.empty())
        return 0;
    const auto deleted = static_cast<int>(rows.size());
    // Row by row from the bottom, each deletion would save the snapshot first:
    // the one left is the journal without the lower rows, before the topmost
    // row went. Rows above a deleted row keep their places, so the same rows
    // are found in one pass and moved once.
    const int topmost = rows.front();
    g.setCurrent({topmost, g.current().column});
    g.takeSnapshot(g.lastRowWithText(), count - (deleted - 1), std::span<const int>(rows).subspan(1));
    g.removeRows(rows);
    g.setJournalRowCount(count - deleted);
    g.setRowTotal(rowTotalFor(g.journalRowCount()));
    g.Fm2_RowNumbering();
    g.setModified(true);
    Fm2_TotalShow();
    return deleted;
}

void JournalEditor::undoCommand()
{
    JournalGrid &g = grid();
    // Nothing to restore once the editor has been reset.
    if (g.snapshotRows() == 0)
        return;
    g.restoreSnapshot(rowTotalFor(g.snapshotRowCount()));
    g.Fm2_RowNumbering();
    const CellPosition current = g.current();
    g.setCurrent({std::min(current.row, g.rowTotal() - 1), current.column});
    g.setModified(true);
    Fm2_TotalShow();
}

} // namespace mokpe::journal
