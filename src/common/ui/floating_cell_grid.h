#pragma once

#include <QSet>
#include <QStringList>
#include <QTableWidget>

class QLineEdit;

namespace mokpe::ui {

// A grid whose heading row is row 0 and whose column 0 holds row numbers, with
// one floating line editor laid over the current cell. Text typed into the
// editor reaches the cell only through Enter; moving to another cell discards it.
//
// Rows are counted as the user sees them: row 0 is the heading (the table's
// header), rows 1 … gridRows() - 1 are the data rows (table rows 0 …).
class FloatingCellGrid : public QTableWidget {
    Q_OBJECT
public:
    FloatingCellGrid(int columns, QWidget *parent = nullptr);

    // Clears every cell and leaves `rows` rows, heading included (at least 1).
    void resetGrid(int rows);
    void setHeadings(const QStringList &headings);
    // Column widths, heading height and row height in twips, converted at the
    // screen's resolution, but never less than the font needs for the headings
    // and a line of text.
    void setColumnWidthsTwips(const QList<int> &twips);
    void setHeadingHeightTwips(int twips);
    void setRowHeightTwips(int twips);
    void setEditableColumns(const QSet<int> &columns) { editableColumns_ = columns; }
    void setFixedCellColour(const QColor &colour);

    int gridRows() const { return rowCount() + 1; }
    void setGridRows(int rows);
    QString cellText(int row, int column) const;
    void setCellText(int row, int column, const QString &text);
    int currentGridRow() const { return currentRow() + 1; }
    void setCurrentGridCell(int row, int column);

    void insertEmptyGridRow(int row);
    void removeGridRow(int row);
    void appendEmptyGridRow();
    // Writes 1, 2, … into column 0 of rows 1 to the last.
    void renumber();

    QLineEdit *cellEditor() const { return editor_; }
    // Places the editor exactly over the current cell, loads it and shows it.
    void openEditorOnCurrentCell();
    // What Enter in the editor does (also reachable without a key event).
    void storeEditorText();

Q_SIGNALS:
    void cellStored(int row, int column);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeEditorOverCurrentCell();
    void onCurrentCellChanged(int row, int column, int previousRow, int previousColumn);
    QTableWidgetItem *makeItem(int column, const QString &text) const;

    QLineEdit *editor_;
    QSet<int> editableColumns_;
    QColor fixedColour_;
};

} // namespace mokpe::ui
