#pragma once

#include "common/app_state.h"
#include "common/progress.h"
#include "journal/cell_navigation.h"
#include "journal/journal_grid.h"
#include "journal/previous_read.h"
#include "journal/settlement.h"
#include "platform/file_dialogs.h"
#include "platform/input_modes.h"
#include "platform/messages.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The journal editor without its window: every command of the editor as a
// function that works on the journal grid and tells the
// user through the EditorServices. The window binds its controls to this object;
// the headless command drives the same object.
namespace mokpe::journal {

inline const QString kCaptionPrefix = QStringLiteral("編集：　");

// The balance cell handed to the unsettled-amount dialog, as texts.
struct PendingCell {
    QString row;
    QString column;
    QString value;
};

inline constexpr int kInitialFontSize = 9;
inline constexpr int kSmallestFontSize = 7;
inline constexpr int kLargestFontSize = 24;

// Rows under the mouse at button-down and button-up (0, 0 until the first drag).
// The rows "金額ゼロ行削除" and "物販行削除" take out.
enum class BulkDelete {
    // Rows whose debit amount is a number that rounds to zero (an empty or
    // non-numeric amount keeps its row).
    ZeroAmountRows,
    // Rows whose summary holds "物販".
    GoodsRows,
};

struct DragRange {
    int startRow = 0;
    int endRow = 0;
};

// What the editor asks of the person: messages and questions, and the save
// dialog of "保　存" (also reached from the question of "閉じる").
struct EditorServices {
    platform::MessageService &messages;
    platform::FileDialogService &dialogs;
};

class JournalEditor {
public:
    JournalEditor(AppState &state, JournalGrid &grid, const EditorServices &services);

    AppState &state() { return state_; }
    JournalGrid &grid() { return grid_; }
    const JournalGrid &grid() const { return grid_; }

    // --- start-up ------------------------------------------------------------
    // Grid initialised, then the journal built (card kinds 0, 1, 3; a transit
    // history without what earlier reads booked) or loaded (kind 2), the
    // settlement label set, the undo snapshot taken, the modified
    // flag cleared, the current cell at row 1, column 1. The window then shows
    // the cell editor over that cell (Fm2_CellEditorShow).
    // The construction or loading is told to `progress`. False when the user
    // stopped it, when another program held the card's read store past the
    // wait (told) or when every transaction of the history was booked before
    // (kAllBookedMessage): the journal is then reset as "閉じる" leaves it.
    bool startUp(common::Progress &progress = common::noProgress());
    // The undo snapshot of the journal as it stands (rows in use only), with
    // the journal row count as the snapshot row count: "元に戻す" right after
    // start-up restores the journal as loaded.
    void Fm2_UndoInit();
    // What the start-up's comparison with the previous reads found.
    const PreviousRead &previousRead() const { return previousRead_; }
    // The transactions of the read that built this journal booked in the
    // card's read store, once: the first save (saveJournalTo) or export that
    // succeeds books them; a booking that failed (told) is tried again at the
    // next one. What this call did; nothing meant when nothing is left.
    ReadBooking bookRead();
    // What the last booking that had something to book did.
    const ReadBooking &lastBooking() const { return lastBooking_; }
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
    // True when no journal row has a balance cell, else false after the
    // message.
    bool Fm2_BalanceCellCheck();

    // --- current cell and the unsettled amount -------------------------------
    // The grid reported a new current cell (row, column).
    void setCurrentCell(int row, int column);
    // Entering the current cell: when it is a balance cell it becomes the
    // pending cell, the label is recomputed and the result is true; the window
    // then shows the unsettled-amount dialog on it.
    bool enterBalanceCell();
    const PendingCell &pendingCell() const { return pending_; }
    // "確　定" of the dialog succeeded with `value`: the pending cell takes it and
    // turns white, and the journal counts as changed. The settlement label is
    // left as it was.
    void settlePendingCell(const QString &value);

    // --- validation, save, close ---------------------------------------------
    // Recounts the journal row count; false (after its message) when a journal
    // row lacks its date or an amount.
    bool Fm2_RowCountCheck();
    // False (after its message) at the first journal row lacking its date or
    // an amount.
    bool Fm2_BlankCheck();
    // False (after its message) at the first journal row whose debit or credit
    // amount holds something other than a whole number of yen (amountCheck).
    bool amountCheck();
    // "保　存": the three checks, then Fm2_JournalSave. True when the file was written.
    bool saveCommand();
    // "保　存" with the file already chosen (`mokpe journal -o`): the same
    // checks and refusals, and an existing file replaced without the
    // overwrite question. True when written.
    bool saveCommand(const QString &path);
    // The save dialog, then saveChosenFile with the overwrite question. True
    // when written.
    bool Fm2_JournalSave();
    // The name the save dialog offers: a journal file's own name (loaded or
    // saved before), which may be saved over; for a history, its name with
    // "_仕訳" before the extension, which the save accepts.
    QString journalSaveName() const;
    // What the status line says after the last save (kSavedNotice), else empty.
    const QString &savedNotice() const { return savedNotice_; }
    enum class ExistingFile { Ask, Replace };
    // The check of where the journal may go (not onto the file it was read
    // from unless that is a journal file, nor a file of the program folder,
    // nor a pipe or a device), the overwrite question when `existing` asks
    // for it, the write. True when written.
    bool saveChosenFile(const QString &path, ExistingFile existing);
    // Writes the journal file to `path` without any dialog or check (what the
    // dialog's choice leads to). A failed write is told and the modified flag
    // stays set. True when written.
    bool saveJournalTo(const QString &path);
    enum class CloseOutcome { Closed, StaysOpen };
    // "閉じる": the question when modified (はい saves and stays open, いいえ
    // closes, キャンセル stays open with the edits); Closed means the window
    // goes and the main window comes back (the editor state has been reset).
    CloseOutcome closeCommand();
    void Fm2_EditReset();

    // --- row operations and undo ---------------------------------------------
    // Every row operation leaves the current cell on the same row and column
    // (a deletion: on the row it deleted, the topmost one for a bulk deletion)
    // and sets the modified flag when it changed the journal. The grid row
    // total is never below the journal row count + 1 nor kMinimumRowTotal.
    //
    // The undo snapshot of the journal as it stands, before a change.
    void Fm2_UndoSave();
    // Deletes journal row `row` (rows below the journal are refused: nothing
    // happens), then recomputes the settlement label in any case. True when a
    // row was deleted.
    bool Fm2_RowDelete(int row);
    // "金額ゼロ行削除" and "物販行削除". Asks first; returns how many rows
    // went. Undo afterwards brings back the topmost of them only, as a
    // deletion row by row would.
    int Fm2_BulkRowDelete(BulkDelete which);
    // "１行挿入": an empty row at the current row, which must be a journal row
    // or the first row below the journal (else refused: false).
    bool insertRowCommand();
    // "最終行追加": an empty row after the last journal row; the grid grows.
    void appendRowCommand();
    // "１行削除": the current row. "最終行削除": the last journal row.
    bool deleteRowCommand();
    bool deleteLastRowCommand();
    // "元に戻す": the snapshot back, each cell with the colour it had (a balance
    // cell stays to be settled), the label recomputed.
    void undoCommand();

    // --- cell editing and accounts -------------------------------------------
    // Writes `editorText` into the current cell under the commit's rules: a
    // date or amount cell that holds a value is refused, and so is a comma in
    // any field before the summary; false (after the message) when refused.
    // Otherwise the undo snapshot, the text, light blue, the modified flag.
    bool Fm2_CellCommit(const QString &editorText);
    // Enter in the cell editor or the cell text box: the commit (refused or
    // not), the current row one down while within the journal, the label.
    bool enterKeyCommand(const QString &editorText);
    // Where a key in the cell editor takes the current cell (not moved yet).
    // `pageRows`: the rows the grid shows, a page for Page Up and Page Down.
    CellPosition cellAfterKey(NavigationKey key, int pageRows) const;

    // Mouse button down on the grid, after the grid made the cell under the
    // pointer current: the drag starts on the current row.
    void gridMouseDown();
    struct GridMouseUp {
        // Lay the account drop-down over the current cell, open at the cell's
        // account; the undo snapshot has been taken for what is picked there.
        bool dropDown = false;
        // For the cell editor, when it is on screen.
        platform::InputMode inputMode = platform::InputMode::Direct;
        // Hide the cell editor and empty the cell text box (when the editor is
        // on screen): a date or amount that holds a value is not typed over.
        bool hideEditor = false;
    };
    // Mouse button up over grid row `pointerRow` (the view turns the pointer
    // into a row; above the start row for a drag upward): the drag ends
    // there, at the last journal row at most.
    GridMouseUp gridMouseUp(int pointerRow);
    DragRange dragRange() const { return drag_; }
    void setDragRange(DragRange range) { drag_ = range; }
    // An entry of the drop-down was picked: the text after its first comma (if
    // any) goes to every row of the drag range in the current account column
    // (none for a drag upward), light blue, or to the current cell when no drag
    // has been made. The text the cell editor shows then; nothing when refused
    // (after the message): an account name with a second comma.
    std::optional<QString> KamokuPaste(const QString &entry);
    enum class AssignOutcome { Assigned, NotAJournalRow, NotInTheList, Refused };
    // A drag in account column `column` from `firstRow` to `lastRow`, then
    // `account` picked from the drop-down: the window's way, step by step.
    // NotAJournalRow when `firstRow` lies below the journal, NotInTheList when
    // the drop-down does not offer `account` (nothing assigned either way);
    // Refused when KamokuPaste refused it (told).
    AssignOutcome assignAccountCommand(int firstRow, int lastRow, int column, const QString &account);

    // Grid text size in points and the column widths in twips that go with it.
    int fontSize() const { return fontSize_; }
    const std::array<int, kColumnCount> &columnWidthsTwips() const { return columnWidths_; }
    // "文字⇒大" / "文字⇒小": 2 points up or down within 7 to 24, every column
    // 100 twips wider or narrower. False at the bound (nothing changes).
    bool enlargeFontCommand();
    bool reduceFontCommand();

private:
    AppState &state_;
    // The journal: cells, row count, undo snapshot. The export and the report
    // read it while the editor is open.
    JournalGrid &grid_;
    EditorServices services_;
    QString settlementLabel_;
    bool recalculateVisible_ = true;
    PendingCell pending_;
    QString savedNotice_;
    PreviousRead previousRead_;
    ReadBooking lastBooking_;
    DragRange drag_;
    int fontSize_ = kInitialFontSize;
    std::array<int, kColumnCount> columnWidths_ = kColumnWidthsTwips;
};

} // namespace mokpe::journal
