#pragma once

#include "journal/cell_navigation.h"
#include "journal/journal_grid.h"

#include <QTableView>

#include <optional>

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

    // Column widths in twips, converted at the screen's resolution, but never
    // narrower than the grid's font needs for the heading and the usual texts
    // of the column (a date, an amount, an account name); row heights follow
    // the grid's font, the same for every row.
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
    // height and font of the cell) and shows it, its text all selected. It
    // takes the keyboard from the grid, never from another control.
    void showCellEditor(const QString &text);
    // Lays the drop-down over the current cell (its left, top and width, the
    // grid's font) and shows it above the cell editor, at the cell's own
    // account when the list has it (else with the cell's text and no entry).
    void showAccountDropDown();
    // The whole rows the grid shows: a page for Page Up and Page Down.
    int rowsInView() const;
    // Whether `widget` is the drop-down or part of it (its list included).
    bool isPartOfDropDown(const QWidget *widget) const;
    // Scrolls until the current cell is wholly in view: a row cut off at the
    // bottom edge is not.
    void ensureCurrentCellInView();

Q_SIGNALS:
    // A new cell became current (never column 0).
    void currentGridCellChanged(int row, int column);
    // The left button went down on a cell and made it current.
    void gridMouseDown();
    // The left button came up over grid row `row` (rowUnderPointer).
    void gridMouseUp(int row);
    // A navigation key in the grid or in the cell editor: the window decides
    // where it leads.
    void navigationKey(mokpe::journal::NavigationKey key);
    // Enter in the cell editor (the key makes no character).
    void cellEditorEnter();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent *event) override;
    // The rows below the journal are room to type into, not a sheet to scroll
    // through: the scroll range ends a page after the last row in use.
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyRowHeights();
    int fontColumnWidth(int column) const;

    JournalTableModel *model_ = nullptr;
    QLineEdit *cellEditor_;
    QComboBox *dropDown_;
    // A drag with the left button is under way from this cell, whose top
    // edge stood here in the viewport when it began.
    QPersistentModelIndex dragStart_;
    int dragStartCellTop_ = 0;
};

// The grid row under the pointer at button-up of a drag that began on
// `startRow`, whose cell's top edge stood at `startCellTop`: whole cell
// heights below that edge, rounded down, added to the start row (fewer than
// the start row for a drag upward, past the journal for a release below it).
// Positions and the height in pixels; a height of 0 gives the start row.
int rowUnderPointer(int startRow, int startCellTop, int releaseY, int cellHeight);

// The navigation key a key press stands for, if any.
std::optional<NavigationKey> navigationKeyOf(int key);

} // namespace mokpe::journal
