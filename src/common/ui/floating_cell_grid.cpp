#include "common/ui/floating_cell_grid.h"

#include "common/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <functional>

namespace mokpe::ui {

namespace {

// Enter stores the text; the key itself makes no character and no beep.
class CellLineEdit final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> onEnter;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (onEnter)
                onEnter();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// Paints every cell with the grid's background for its column.
class CellBackgroundDelegate final : public QStyledItemDelegate {
public:
    explicit CellBackgroundDelegate(FloatingCellGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = grid_->cellBackground(index.column());
    }

private:
    FloatingCellGrid *grid_;
};

} // namespace

FloatingCellGrid::FloatingCellGrid(QWidget *parent)
    : QTableView(parent), fixedColour_(palette().color(QPalette::Button))
{
    auto *editor = new CellLineEdit(viewport());
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFrame(false);
    editor->hide();
    editor->onEnter = [this] { storeEditorText(); };
    editor_ = editor;

    setItemDelegate(new CellBackgroundDelegate(this));
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);

    connect(verticalScrollBar(), &QScrollBar::valueChanged, editor_, &QWidget::hide);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, editor_, &QWidget::hide);
}

void FloatingCellGrid::setColumnWidthsTwips(const QList<int> &twips)
{
    const double dpi = logicalDpiX();
    // Never narrower than the heading in the header's own font.
    for (int c = 0; c < twips.size() && c < columnCount(); ++c)
        setColumnWidth(
            c, std::max(common::twipsToPixels(twips.at(c), dpi), horizontalHeader()->sectionSizeHint(c)));
}

void FloatingCellGrid::setHeadingHeightTwips(int twips)
{
    // Never lower than the headings' lines need.
    horizontalHeader()->setFixedHeight(
        std::max(common::twipsToPixels(twips, logicalDpiY()), horizontalHeader()->sizeHint().height()));
}

void FloatingCellGrid::setRowHeightTwips(int twips)
{
    // A line of text and the editor's frame around it, at the least.
    verticalHeader()->setDefaultSectionSize(
        std::max(common::twipsToPixels(twips, logicalDpiY()), fontMetrics().height() + 4));
}

void FloatingCellGrid::setFixedCellColour(const QColor &colour)
{
    fixedColour_ = colour;
    QPalette p = horizontalHeader()->palette();
    p.setColor(QPalette::Button, colour);
    p.setColor(QPalette::Window, colour);
    horizontalHeader()->setPalette(p);
    viewport()->update();
}

QColor FloatingCellGrid::cellBackground(int column) const
{
    return column == 0 ? fixedColour_ : QColor(Qt::white);
}

int FloatingCellGrid::columnCount() const
{
    return model() ? model()->columnCount() : 0;
}

int FloatingCellGrid::gridRows() const
{
    return model() ? model()->rowCount() + 1 : 1;
}

void FloatingCellGrid::setGridRows(int rows)
{
    if (!model())
        return;
    const int now = model()->rowCount();
    const int wanted = std::max(rows - 1, 0);
    if (wanted > now)
        model()->insertRows(now, wanted - now);
    else if (wanted < now)
        model()->removeRows(wanted, now - wanted);
}

QString FloatingCellGrid::cellText(int row, int column) const
{
    if (!model())
        return {};
    if (row == 0)
        return model()->headerData(column, Qt::Horizontal).toString();
    return model()->index(row - 1, column).data().toString();
}

void FloatingCellGrid::setCurrentGridCell(int row, int column)
{
    if (model())
        setCurrentIndex(model()->index(row - 1, column));
}

bool FloatingCellGrid::insertRowAtCurrent()
{
    const int row = std::max(currentGridRow(), 1);
    const int column = std::max(currentColumn(), 1);
    if (!model() || !model()->insertRows(row - 1, 1))
        return false;
    setCurrentGridCell(row, column);
    editor_->clear();
    return true;
}

bool FloatingCellGrid::removeCurrentRow()
{
    const int row = currentGridRow();
    const int column = currentColumn();
    const bool wasLast = row == gridRows() - 1;
    if (row < 1 || !model()->removeRows(row - 1, 1))
        return false;
    if (wasLast)
        editor_->hide();
    const int now = std::min(row, gridRows() - 1);
    setCurrentGridCell(now, column);
    editor_->setText(cellText(now, column));
    return true;
}

bool FloatingCellGrid::appendRow()
{
    return model() && model()->insertRows(model()->rowCount(), 1);
}

void FloatingCellGrid::placeEditorOverCurrentCell()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return;
    editor_->setGeometry(visualRect(index));
    editor_->setFont(font());
}

void FloatingCellGrid::openEditorOnCurrentCell()
{
    if (!isEditable(currentIndex()))
        return;
    placeEditorOverCurrentCell();
    editor_->setText(cellText(currentGridRow(), currentColumn()));
    editor_->show();
    editor_->raise();
    editor_->setFocus();
}

void FloatingCellGrid::storeEditorText()
{
    const int row = currentGridRow();
    const int column = currentColumn();
    if (!model() || !model()->setData(currentIndex(), editor_->text()))
        return;
    if (row < gridRows() - 1) {
        setCurrentGridCell(row + 1, column);
        openEditorOnCurrentCell();
    }
}

void FloatingCellGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    // The number column is never the current cell: a click on a number (or an
    // arrow key) lands on the row's first data cell, so Enter cannot store into it.
    if (current.column() == 0 && columnCount() > 1) {
        setCurrentIndex(current.siblingAtColumn(1));
        return;
    }
    placeEditorOverCurrentCell();
    editor_->setText(cellText(current.row() + 1, current.column()));
}

void FloatingCellGrid::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (isEditable(index) && index == currentIndex())
        openEditorOnCurrentCell();
}

void FloatingCellGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    if (editor_->isVisible())
        placeEditorOverCurrentCell();
}

} // namespace mokpe::ui
