#pragma once

#include "common/app_state.h"
#include "journal/previous_read.h"
#include "journal/settlement.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>

// The journal editor without its window: every command of the editor as a
// function that works on the journal grid (AppState::journal) and tells the
// user through the services. The window binds its controls to this object;
// the headless command drives the same object.
namespace mokpe::journal {

inline const QString kCaptionPrefix = QStringLiteral("編集：　");

// The balance cell handed to the unsettled-amount dialog, as texts.
struct PendingCell {
    QString row;
    QString column;
    QString value;
};

// Rows under the mouse at button-down and button-up (0, 0 until the first drag).
struct DragRange {
    int startRow = 0;
    int endRow = 0;
};

class JournalEditor {
public:
    JournalEditor(AppState &state, const platform::Services &services);

    AppState &state() { return state_; }
    JournalGrid &grid() { return state_.journal; }
    const JournalGrid &grid() const { return state_.journal; }

    // --- start-up ------------------------------------------------------------
    // Grid initialised, then the journal built (card kinds 0, 1, 3; a transit
    // history without what earlier reads booked) or loaded (kind 2), the
    // settlement label set, the undo snapshot taken, the modified
    // flag cleared, the current cell at row 1, column 1. The window then shows
    // the cell editor over that cell (Fm2_CellEditorShow).
    void startUp();
    // The undo snapshot of the journal as it stands (rows in use only), with
    // the journal row count as the snapshot row count: "元に戻す" right after
    // start-up restores the journal as loaded.
    void Fm2_UndoInit();
    // What the start-up's comparison with the previous reads found.
    const PreviousRead &previousRead() const { return previousRead_; }
    // The read of a transit history kept in the read store (once).
    void keepPreviousRead();
    // "編集：　" + the source file path.
    QString caption() const;
    // The account drop-down's entries: the unsettled e-money account name, then
    // each account line's text from its first comma + 6 on.
    QStringList accountList() const;

    // --- amounts, balances and totals ----------------------------------------
    QString settlementLabel() const { return settlementLabel_; }
    // Card kind 3 hides "再計算".
    bool recalculateVisible() const { return recalculateVisible_; }
    // "再計算" and every other recomputation of the settlement label.
    void Fm2_TotalShow();
    // 0 when no journal row has a balance cell, else -1 after the message.
    int Fm2_BalanceCellCheck();

    // --- current cell and the unsettled amount -------------------------------
    // The grid reported a new current cell (row, column).
    void setCurrentCell(int row, int column);
    // Refreshes the current cell; when it is a balance cell, records the pending
    // cell and returns true: the window then shows the unsettled-amount dialog
    // and the label is recomputed.
    bool Fm2_CellEditorShow();
    const PendingCell &pendingCell() const { return pending_; }
    // "確　定" of the dialog succeeded with `value`: the pending cell takes it and
    // turns white. The settlement label is left as it was.
    void settlePendingCell(const QString &value);

    // --- validation, save, close ---------------------------------------------
    // -1 (after its message) when a journal row lacks its date or an amount, else
    // 0; recounts the journal row count.
    int Fm2_RowCountCheck();
    // 1 (after its message) at the first journal row lacking its date or an
    // amount, else 0.
    int Fm2_BlankCheck();
    // "保　存": both checks, then Fm2_JournalSave. True when the file was written.
    bool saveCommand();
    // The save dialog, the overwrite question, the write. True when written.
    bool Fm2_JournalSave();
    // Writes the journal file to `path` without any dialog (what the dialog's
    // choice leads to, and `mokpe journal -o`). A failed write is told and the
    // modified flag stays set. True when written.
    bool saveJournalTo(const QString &path);
    enum class CloseOutcome { Closed, StaysOpen };
    // "閉じる": the question when modified; Closed means the window goes and the
    // main window comes back (the editor state has been reset).
    CloseOutcome closeCommand();
    void Fm2_EditReset();

    // --- row operations and undo ---------------------------------------------
    void Fm2_UndoSave();
    void Fm2_RowNumbering();
    void Fm2_RowDelete(int row);
    // mode 0: rows whose debit amount is zero; 1: rows whose summary holds "物販".
    void Fm2_BulkRowDelete(int mode);
    void insertRowCommand();
    void appendRowCommand();
    void deleteRowCommand();
    void deleteLastRowCommand();
    void undoCommand();

    // --- cell editing and accounts -------------------------------------------
    // Writes `editorText` into the current cell under the commit's rules; false
    // (after the message) when refused.
    bool Fm2_CellCommit(const QString &editorText);
    DragRange dragRange() const { return drag_; }
    void setDragRange(DragRange range) { drag_ = range; }
    // An entry of the drop-down was picked: `text` goes to the drag range (or the
    // current cell). Returns the text the cell editor now shows.
    QString KamokuPaste(const QString &text);
    int fontSize() const { return fontSize_; }
    void setFontSize(int size) { fontSize_ = size; }

private:
    AppState &state_;
    platform::Services services_;
    QString settlementLabel_;
    bool recalculateVisible_ = true;
    PendingCell pending_;
    PreviousRead previousRead_;
    DragRange drag_;
    int fontSize_ = 9;
};

} // namespace mokpe::journal
