#include "journal/ui/journal_grid_view.h"

#include "common/journal_grid.h"
#include "common/twips.h"
#include "journal/journal_table_model.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

namespace mokpe::journal {

JournalGridView::JournalGridView(QWidget *parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Column 0 shows the row numbers; the grid has no second number column.
    verticalHeader()->hide();
    // Every row is as high as every other, so the view never measures a row:
    // a journal of 100,000 rows opens as fast as one of ten.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    // The cell editor and the drop-down live on the viewport, so that the cell
    // rectangles the view reports place them without any translation.
    cellEditor_ = new QLineEdit(viewport());
    cellEditor_->setObjectName(QStringLiteral("Text3"));
    cellEditor_->setFrame(false);
    cellEditor_->hide();

    dropDown_ = new QComboBox(viewport());
    dropDown_->setObjectName(QStringLiteral("Combo1"));
    // The drop-down has a text of its own (cleared at start-up); typing into it
    // assigns nothing, only picking an entry does.
    dropDown_->setEditable(true);
    dropDown_->setInsertPolicy(QComboBox::NoInsert);
    dropDown_->setMaxVisibleItems(20);
    dropDown_->hide();

    applyRowHeights();
}

void JournalGridView::setJournalModel(JournalTableModel *model)
{
    model_ = model;
    setModel(model);
    applyRowHeights();
}

void JournalGridView::setColumnWidthsTwips(const int *twips, int count)
{
    const double dpi = logicalDpiX();
    for (int c = 0; c < count; ++c)
        setColumnWidth(c, common::twipsToPixels(twips[c], dpi));
}

void JournalGridView::setHeadingColour(const QColor &colour)
{
    QHeaderView *header = horizontalHeader();
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    header->setPalette(palette);
}

void JournalGridView::setGridFontSize(int points)
{
    QFont f = font();
    f.setPointSize(points);
    setFont(f);
    cellEditor_->setFont(f);
    dropDown_->setFont(f);
    applyRowHeights();
}

void JournalGridView::applyRowHeights()
{
    const int height = fontMetrics().height() + 6;
    verticalHeader()->setDefaultSectionSize(height);
    horizontalHeader()->setFixedHeight(height + 4);
}

int JournalGridView::currentGridRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? JournalTableModel::gridRow(index.row()) : 0;
}

int JournalGridView::currentGridColumn() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.column() : 0;
}

void JournalGridView::setCurrentGridCell(int row, int column)
{
    if (!model_ || row < 1)
        return;
    setCurrentIndex(model_->index(JournalTableModel::modelRow(row), column));
}

void JournalGridView::showCellEditor(const QString &text)
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return;
    cellEditor_->setGeometry(visualRect(index));
    cellEditor_->setFont(font());
    cellEditor_->setText(text);
    cellEditor_->selectAll();
    cellEditor_->show();
    cellEditor_->raise();
}

void JournalGridView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    // The number column is never the current cell: a click on a number (or an
    // arrow key) lands on the row's date.
    if (current.column() == NumberColumn) {
        setCurrentIndex(current.siblingAtColumn(DateColumn));
        return;
    }
    Q_EMIT currentGridCellChanged(JournalTableModel::gridRow(current.row()), current.column());
}

void JournalGridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (dx == 0 && dy == 0)
        return;
    // A floating control would stay where it was while its cell moves away.
    cellEditor_->hide();
    dropDown_->hide();
}

} // namespace mokpe::journal
