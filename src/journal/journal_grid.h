#pragma once

#include <QString>

#include <array>
#include <span>
#include <vector>

// The journal grid: a table of text cells, row 0 the headings and rows 1 to the
// journal row count the journal rows, with a background colour per cell, the
// one-step undo snapshot, the current cell and the modified flag. Every part of
// the journal editor, the export and the report work on this table; windows see
// it only through JournalTableModel.
namespace mokpe::journal {

inline constexpr int kColumnCount = 7;

enum JournalColumn : int {
    NumberColumn = 0,
    DateColumn = 1,
    DebitAccountColumn = 2,
    DebitAmountColumn = 3,
    CreditAccountColumn = 4,
    CreditAmountColumn = 5,
    SummaryColumn = 6,
};

inline const std::array<QString, kColumnCount> kHeadings = {
    QStringLiteral("No."),      QStringLiteral("日付"),     QStringLiteral("借方科目"),
    QStringLiteral("借方金額"), QStringLiteral("貸方科目"), QStringLiteral("貸方金額"),
    QStringLiteral("摘要"),
};
inline constexpr std::array<int, kColumnCount> kColumnWidthsTwips = {750, 1500, 1700, 1100, 1700, 1100, 5400};

// The editor always offers at least this many rows, heading included, so that
// there is room to type below a short journal. Longer journals grow the grid.
inline constexpr int kMinimumRowTotal = 2000;

enum class CellColour : unsigned char {
    White,
    // An amount cell that holds the card balance instead of an amount.
    Balance,
    // A cell the user changed or assigned an account to.
    Edited,
};

using RowTexts = std::array<QString, kColumnCount>;

struct CellPosition {
    int row = 0;
    int column = 0;
    friend bool operator==(const CellPosition &, const CellPosition &) = default;
};

// What a view needs to hear about; every member has an empty default.
class JournalGridListener {
public:
    virtual ~JournalGridListener() = default;
    virtual void gridAboutToReset() {}
    virtual void gridReset() {}
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted() {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved() {}
    // Texts or colours of the rectangle changed (row 0 is the heading row).
    virtual void cellsChanged(int /*firstRow*/, int /*lastRow*/, int /*firstColumn*/, int /*lastColumn*/) {}
};

class JournalGrid {
public:
    JournalGrid();

    // --- cells ---------------------------------------------------------------
    // Rows 0 to rowTotal() - 1 exist; row 0 holds the headings.
    int rowTotal() const { return static_cast<int>(rows_.size()); }
    // Grows with empty white rows or drops rows from the end; never below 1.
    void setRowTotal(int total);
    const QString &text(int row, int column) const { return rows_[index(row)].text[column]; }
    void setText(int row, int column, const QString &text);
    CellColour colour(int row, int column) const { return rows_[index(row)].colour[column]; }
    void setColour(int row, int column, CellColour colour);
    const RowTexts &rowTexts(int row) const { return rows_[index(row)].text; }
    // The whole row at once (texts; colours white).
    void setRowTexts(int row, RowTexts texts);

    // Every text and colour emptied, then `total` rows with the headings in row
    // 0 (the grid's initialisation).
    void initialise(int total);
    // A new empty white row at `row`; the rows from there on move down.
    void insertRow(int row);
    // Removes `row`; the rows below move up.
    void removeRow(int row);
    // Removes every row of `rows` (ascending, no repeats); the rows below each
    // move up. One contiguous run is announced as a removal, several as one
    // reset: the rows are moved once, not once per run.
    void removeRows(std::span<const int> rows);
    // Rows `firstRow` to `lastRow` of `column` take `text` and `colour`,
    // announced as one change.
    void fillColumn(int firstRow, int lastRow, int column, const QString &text, CellColour colour);

    // --- journal state -------------------------------------------------------
    // Rows 1 to this count are the journal rows.
    int journalRowCount() const { return journalRowCount_; }
    void setJournalRowCount(int count) { journalRowCount_ = count; }
    // Column 0 of rows 1 to the journal row count = the row number.
    void Fm2_RowNumbering();
    CellPosition current() const { return current_; }
    void setCurrent(CellPosition cell) { current_ = cell; }
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }

    // --- undo ----------------------------------------------------------------
    // Copies the texts of rows 0 to `lastRow` (clamped to the grid) and records
    // `rowCount` as the snapshot row count. The colours of every row are kept
    // too: an undo that whitened a balance cell would let the card balance
    // pass for an amount. Rows listed in
    // `skippedRows` (ascending) are left out, as if removed first. Without
    // skipped rows nothing is copied at first: the snapshot is the grid, and a
    // few cells typed over afterwards keep their old texts aside. Only a change
    // of rows, or many cells, copies the rows: a journal that is only settled
    // and read (exported, printed) is never copied.
    void takeSnapshot(int lastRow, int rowCount, std::span<const int> skippedRows = {});
    // The last row that holds any text (0 when only the headings do): what an
    // undo must be able to restore.
    int lastRowWithText() const;
    // Empties the grid, sets the row total to `total` (at least what the
    // snapshot needs), copies the snapshot in and sets the journal row count to
    // the snapshot row count. Every cell takes the colour it had when the
    // snapshot was taken. Announced as the
    // rows added or removed at the end and one change of the rows that differ.
    void restoreSnapshot(int total);
    int snapshotRowCount() const { return snapshotRowCount_; }
    int snapshotRows() const
    {
        return snapshotPending_ ? pendingLastRow_ + 1 : static_cast<int>(snapshot_.size());
    }
    const RowTexts &snapshotRow(int row) const
    {
        if (!snapshotPending_)
            return snapshot_[index(row)];
        if (!replaced_.empty())
            copyPendingSnapshot();
        return snapshotPending_ ? rows_[index(row)].text : snapshot_[index(row)];
    }
    void clearSnapshot();

    // --- views ---------------------------------------------------------------
    // At most one listener (the table model); null to detach.
    void setListener(JournalGridListener *listener) { listener_ = listener; }
    // Many changes at once (construction, loading, undo): the listener hears one
    // reset instead of every step. Nests.
    void beginBulkChange();
    void endBulkChange();

private:
    struct Row {
        RowTexts text;
        std::array<CellColour, kColumnCount> colour{};
    };
    static size_t index(int row) { return static_cast<size_t>(row); }
    bool notifying() const { return listener_ && bulkDepth_ == 0; }
    void cellChanged(int row, int column);
    // The decimal text of `row`, one shared copy per number.
    const QString &numberText(int row);
    // Copies the rows into the snapshot (skipping `skippedRows`).
    void copySnapshot(int last, std::span<const int> skippedRows) const;
    // Before rows change: the snapshot that still is the grid is copied.
    void settleSnapshot() const
    {
        if (snapshotPending_)
            copyPendingSnapshot();
    }
    void copyPendingSnapshot() const;
    // Before one cell's text changes.
    void keepForSnapshot(int row, int column);
    // The cells that are not white, as the snapshot numbers its rows.
    void keepSnapshotColours(std::span<const int> skippedRows);

    std::vector<Row> rows_;
    int journalRowCount_ = 0;
    CellPosition current_{1, 1};
    bool modified_ = false;
    std::vector<QString> numberTexts_;
    // Copied when first asked for (hence mutable).
    mutable std::vector<RowTexts> snapshot_;
    int snapshotRowCount_ = 0;
    // The snapshot is rows 0 to pendingLastRow_ of the grid as they stand,
    // but for the cells in replaced_, whose snapshot texts are kept there.
    mutable bool snapshotPending_ = false;
    int pendingLastRow_ = -1;
    struct ReplacedText {
        CellPosition cell;
        QString text;
    };
    mutable std::vector<ReplacedText> replaced_;
    // Few cells are not white (the balance cells, those the user changed):
    // they are listed, in row order, instead of a colour per snapshot cell.
    struct KeptColour {
        CellPosition cell;
        CellColour colour;
    };
    std::vector<KeptColour> snapshotColours_;
    JournalGridListener *listener_ = nullptr;
    int bulkDepth_ = 0;
};

// Bulk change for a scope.
class BulkChange {
public:
    explicit BulkChange(JournalGrid &grid) : grid_(grid) { grid_.beginBulkChange(); }
    ~BulkChange() { grid_.endBulkChange(); }
    BulkChange(const BulkChange &) = delete;
    BulkChange &operator=(const BulkChange &) = delete;

private:
    JournalGrid &grid_;
};

} // namespace mokpe::journal
