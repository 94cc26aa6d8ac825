#pragma once

#include <QList>
#include <QStringList>

#include <vector>

// The list of a maintenance editor (the account code editor's accounts, the
// user editor's users) as a grid: row 0 holds the headings, column 0 the row
// numbers, and rows 1 onward the entries, one text per column. Views see it
// only through ListGridModel.
namespace mokpe::maintenance {

// What a view needs to hear about; every member has an empty default.
class ListGridListener {
public:
    virtual ~ListGridListener() = default;
    virtual void rowsAboutToBeInserted(int /*first*/, int /*last*/) {}
    virtual void rowsInserted() {}
    virtual void rowsAboutToBeRemoved(int /*first*/, int /*last*/) {}
    virtual void rowsRemoved() {}
    // Texts of the rectangle changed (never row 0: the headings are fixed).
    virtual void cellsChanged(int /*firstRow*/, int /*lastRow*/, int /*firstColumn*/, int /*lastColumn*/) {}
};

class ListGrid {
public:
    // `headings` names every column, the number column first. Rows are added
    // only while the grid has fewer than `maxRowTotal` rows, heading included;
    // it starts with `rowTotal` rows, all cells empty and no row numbers.
    ListGrid(QStringList headings, int maxRowTotal, int rowTotal);

    int columnCount() const { return static_cast<int>(headings_.size()); }
    // Rows 0 to rowTotal() - 1 exist; there is always at least one entry row.
    int rowTotal() const { return static_cast<int>(rows_.size()) + 1; }

    // Row 0 gives the headings; column 0 the row number, empty while the rows
    // are not numbered. A cell outside the grid is empty.
    const QString &text(int row, int column) const;
    // An entry cell (row 1 on, column 1 on); the headings and the numbers are
    // not the user's, and a cell outside the grid is no cell.
    void setText(int row, int column, const QString &text);
    bool rowsNumbered() const { return numbered_; }

    // Every cell emptied and the numbers taken away; the grid keeps `rowTotal`
    // rows (at least one entry row).
    void clear(int rowTotal);
    // The grid holds `rows` (each the texts of columns 1 onward), numbered; no
    // rows leave one empty row to type in. Loading is not limited: a longer
    // file is shown whole, only adding rows stops at the limit.
    void setRows(const QList<QStringList> &rows);

    // The limits of the row buttons: "1行挿入" and "最終行追加" add while the
    // grid has room, "1行削除" always leaves one entry row.
    bool canInsertRows(int count = 1) const { return rowTotal() + count <= maxRowTotal_; }
    bool canRemoveRows(int count = 1) const { return rowTotal() - count >= 2; }
    // `count` empty rows at `row` (1 to rowTotal(); the rows from there on move
    // down). Refused, changing nothing, beyond the limit. The rows are numbered
    // afterwards, as after every row operation.
    bool insertRows(int row, int count = 1);
    bool appendRow() { return insertRows(rowTotal()); }
    // Removes rows `row` to `row + count - 1`; the rows below move up. Refused,
    // changing nothing, when it would take the last entry row or a row that is
    // not there.
    bool removeRows(int row, int count = 1);

    // At most one listener (the table model); null to detach.
    void setListener(ListGridListener *listener) { listener_ = listener; }

private:
    static size_t index(int row) { return static_cast<size_t>(row - 1); }
    QStringList emptyRow() const { return QStringList(columnCount(), QString()); }
    // Grows with empty rows or drops rows from the end, announced as such.
    void resize(int rowTotal);
    // Writes the row numbers from `firstRow` on (from the first row when the
    // rows were not numbered yet), announced after the rows themselves moved,
    // as a view expects: a row keeps its texts while it moves.
    void renumber(int firstRow);

    QStringList headings_;
    int maxRowTotal_;
    // Entry rows 1 onward, every column, the number column included.
    std::vector<QStringList> rows_;
    bool numbered_ = false;
    ListGridListener *listener_ = nullptr;
};

} // namespace mokpe::maintenance
