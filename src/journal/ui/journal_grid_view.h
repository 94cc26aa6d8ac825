#pragma once

#include <QTableView>

class QComboBox;
class QLineEdit;

namespace mokpe::journal {

class JournalTableModel;

// The journal grid on screen: a table view over JournalTableModel with the
// fixed heading row and number column, column widths given in twips, and the
// two controls that float over the current cell, the cell editor and the
// account drop-down. It holds no text of its own; every cell is read from the
// model, so a journal of any length costs one row of widgets, not one per cell.
//
// Rows are counted as the grid counts them: row 0 is the heading row (the
// horizontal header), rows 1 onward are the model's rows 0 onward.
class JournalGridView final : public QTableView {
    Q_OBJECT
public:
    explicit JournalGridView(QWidget *parent = nullptr);

    void setJournalModel(JournalTableModel *model);
    JournalTableModel *journalModel() const { return model_; }

    // Column widths in twips, converted at the screen's resolution; row heights
    // follow the grid's font, the same for every row.
    void setColumnWidthsTwips(const int *twips, int count);
    // The heading row's background (the number column's comes from the model).
    void setHeadingColour(const QColor &colour);
    // The grid's font size in points; the cell editor and the drop-down follow.
    void setGridFontSize(int points);

    // The current cell as grid row and column; (0, 0) when there is none.
    int currentGridRow() const;
    int currentGridColumn() const;
    void setCurrentGridCell(int row, int column);

    QLineEdit *cellEditor() const { return cellEditor_; }
    QComboBox *accountDropDown() const { return dropDown_; }
    // Lays the cell editor exactly over the current cell (left, top, width,
    // height and font of the cell) and shows it, its text all selected.
    void showCellEditor(const QString &text);

Q_SIGNALS:
    // A new cell became current (never column 0).
    void currentGridCellChanged(int row, int column);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyRowHeights();

    JournalTableModel *model_ = nullptr;
    QLineEdit *cellEditor_;
    QComboBox *dropDown_;
};

} // namespace mokpe::journal
