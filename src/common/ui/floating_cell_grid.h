#pragma once

#include <QList>
#include <QTableView>

class QLineEdit;

namespace mokpe::ui {

// A grid over a table model whose horizontal header is row 0 (the headings)
// and whose column 0 holds row numbers, with one floating line editor laid over
// the current cell. The cells the model flags editable take the editor's text
// through the model, and only on Enter: moving to another cell discards it.
//
// Rows are counted as the user sees them: row 0 is the heading, rows 1 …
// gridRows() - 1 are the data rows (model rows 0 …).
class FloatingCellGrid : public QTableView {
    Q_OBJECT
public:
    explicit FloatingCellGrid(QWidget *parent = nullptr);

    // Column widths, heading height and row height in twips, converted at the
    // screen's resolution, but never less than the font needs for the headings
    // and a line of text.
    void setColumnWidthsTwips(const QList<int> &twips);
    void setHeadingHeightTwips(int twips);
    void setRowHeightTwips(int twips);
    // The headings and the number column take this colour; the other cells are white.
    void setFixedCellColour(const QColor &colour);
    QColor cellBackground(int column) const;

    int columnCount() const;
    int gridRows() const;
    // Adds empty rows at the end or drops rows from the end, as far as the
    // model allows.
    void setGridRows(int rows);
    QString cellText(int row, int column) const;
    // The current cell; row 0 and column -1 when there is none.
    int currentGridRow() const { return currentIndex().row() + 1; }
    int currentColumn() const { return currentIndex().column(); }
    void setCurrentGridCell(int row, int column);

    // The row buttons. Each asks the model, which may refuse (the list is full,
    // or down to its last row); then nothing changes and false is returned.
    // An empty row at the current row, which takes the current place (the old
    // row moves down), with the editor emptied.
    bool insertRowAtCurrent();
    // The current row goes; the editor, hidden when that was the last row,
    // shows the cell now current.
    bool removeCurrentRow();
    bool appendRow();

    QLineEdit *cellEditor() const { return editor_; }
    // Places the editor exactly over the current cell, loads it and shows it.
    void openEditorOnCurrentCell();
    // What Enter in the editor does (also reachable without a key event).
    void storeEditorText();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeEditorOverCurrentCell();
    static bool isEditable(const QModelIndex &index) { return index.flags().testFlag(Qt::ItemIsEditable); }

    QLineEdit *editor_;
    QColor fixedColour_;
};

} // namespace mokpe::ui
