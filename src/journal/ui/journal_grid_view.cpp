#include "journal/ui/journal_grid_view.h"

#include "common/twips.h"
#include "common/ui/text_fit.h"
#include "journal/journal_grid.h"
#include "journal/journal_table_model.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyledItemDelegate>

namespace mokpe::journal {

namespace {

// The drop-down's entries: each as high as its text and half a line more.
class SpacedRowDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(std::max(size.height(), option.fontMetrics.height() * 3 / 2));
        return size;
    }
};

} // namespace

JournalGridView::JournalGridView(QWidget *parent) : QTableView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab leaves the grid; only the editor's keys move the current cell.
    setTabKeyNavigation(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Rows scroll by pixels: scrolled per row, the view would show the grid's
    // very last row whenever its scroll bar stood at its end, and the range
    // could not end below the journal (updateGeometries).
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
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
    cellEditor_->installEventFilter(this);

    dropDown_ = new QComboBox(viewport());
    dropDown_->setObjectName(QStringLiteral("Combo1"));
    // The drop-down has a text of its own (cleared at start-up); typing into it
    // assigns nothing, only picking an entry does.
    dropDown_->setEditable(true);
    dropDown_->setInsertPolicy(QComboBox::NoInsert);
    // Neither a completion nor Enter picks what was typed.
    dropDown_->setCompleter(nullptr);
    dropDown_->lineEdit()->installEventFilter(this);
    // The wheel scrolls the grid under the drop-down instead of turning its value.
    dropDown_->installEventFilter(this);
    dropDown_->setMaxVisibleItems(20);
    // Entries spaced by the font, so that they do not nearly touch.
    dropDown_->setItemDelegate(new SpacedRowDelegate(dropDown_));
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
        setColumnWidth(c, std::max(common::twipsToPixels(twips[c], dpi), fontColumnWidth(c)));
}

int JournalGridView::fontColumnWidth(int column) const
{
    // The widest text a cell of the column usually holds; the summaries are
    // long and run on under the next cells' edge, as they always did.
    QString sample;
    switch (column) {
    case NumberColumn:
        sample = QString(QString::number(model_ ? model_->rowCount() : 0).size(), QLatin1Char('0'));
        break;
    case DateColumn:
        sample = QStringLiteral("0000/00/00");
        break;
    case DebitAccountColumn:
    case CreditAccountColumn:
        sample = QStringLiteral("福利厚生費");
        break;
    case DebitAmountColumn:
    case CreditAmountColumn:
        sample = QStringLiteral("0000000");
        break;
    default:
        break;
    }
    return std::max(ui::columnWidthFor(*this, sample), horizontalHeader()->sectionSizeHint(column));
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
    const bool gridHasKeyboard = hasFocus() || cellEditor_->hasFocus();
    cellEditor_->show();
    cellEditor_->raise();
    if (gridHasKeyboard)
        cellEditor_->setFocus(Qt::OtherFocusReason);
    if (dropDown_->isVisible())
        dropDown_->raise();
}

void JournalGridView::showAccountDropDown()
{
    const QModelIndex index = currentIndex();
    if (!index.isValid())
        return;
    const QRect cell = visualRect(index);
    dropDown_->setFont(font());
    dropDown_->view()->setFont(font());
    dropDown_->setGeometry(cell.left(), cell.top(), cell.width(), dropDown_->sizeHint().height());
    // Opened at the cell's own account: its list shows where the cell stands.
    const QString account = index.data().toString();
    const int entry = dropDown_->findText(account, Qt::MatchExactly);
    dropDown_->setCurrentIndex(entry);
    if (entry < 0)
        dropDown_->setEditText(account);
    dropDown_->show();
    dropDown_->raise();
}

int JournalGridView::rowsInView() const
{
    const int rowHeight = verticalHeader()->defaultSectionSize();
    return rowHeight > 0 ? std::max(1, viewport()->height() / rowHeight) : 1;
}

void JournalGridView::updateGeometries()
{
    QTableView::updateGeometries();
    if (!model_)
        return;
    // The last row in use may be scrolled up to the top, a page of empty rows
    // under it; a row made current below the journal counts as in use. The
    // wheel and the arrows of the scroll bar move by whole rows.
    const int inUse = std::max({model_->grid().journalRowCount(), currentGridRow(), 1});
    QScrollBar *rows = verticalScrollBar();
    rows->setMaximum(
        std::min(rows->maximum(), verticalHeader()->sectionPosition(JournalTableModel::modelRow(inUse))));
    rows->setSingleStep(verticalHeader()->defaultSectionSize());
}

bool JournalGridView::isPartOfDropDown(const QWidget *widget) const
{
    // The list opens in a window of its own whose parent is the drop-down.
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w == dropDown_)
            return true;
    }
    return false;
}

std::optional<NavigationKey> navigationKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return NavigationKey::Left;
    case Qt::Key_Up:
        return NavigationKey::Up;
    case Qt::Key_Right:
        return NavigationKey::Right;
    case Qt::Key_Down:
        return NavigationKey::Down;
    case Qt::Key_PageUp:
        return NavigationKey::PageUp;
    case Qt::Key_PageDown:
        return NavigationKey::PageDown;
    default:
        return std::nullopt;
    }
}

bool JournalGridView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == dropDown_) {
        // A wheel turned over the drop-down would pick the next account
        // silently; it scrolls the grid, which closes the drop-down.
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    if (event->type() != QEvent::KeyPress || (watched != cellEditor_ && watched != dropDown_->lineEdit()))
        return QTableView::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched != cellEditor_)
        return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        Q_EMIT cellEditorEnter();
        return true;
    }
    if (const std::optional<NavigationKey> navigation = navigationKeyOf(key->key())) {
        Q_EMIT navigationKey(*navigation);
        return true;
    }
    return false;
}

void JournalGridView::keyPressEvent(QKeyEvent *event)
{
    if (const std::optional<NavigationKey> navigation = navigationKeyOf(event->key())) {
        Q_EMIT navigationKey(*navigation);
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
        // These would take the grid's own way, past the journal's last row.
        event->accept();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

void JournalGridView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    const QModelIndex current = currentIndex();
    if (event->button() != Qt::LeftButton || !current.isValid() ||
        !indexAt(event->position().toPoint()).isValid())
        return;
    dragStart_ = current;
    dragStartCellTop_ = visualRect(current).top();
    Q_EMIT gridMouseDown();
}

void JournalGridView::mouseMoveEvent(QMouseEvent *event)
{
    if (!dragStart_.isValid() || !(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    // The current cell stays where the drag began; the rows passed downward
    // are shown selected in its column.
    const int row = rowAt(event->position().toPoint().y());
    const int last = std::max(row, dragStart_.row());
    selectionModel()->select(QItemSelection(dragStart_, dragStart_.sibling(last, dragStart_.column())),
                             QItemSelectionModel::ClearAndSelect);
}

void JournalGridView::mouseReleaseEvent(QMouseEvent *event)
{
    const bool dragged = dragStart_.isValid() && event->button() == Qt::LeftButton;
    QTableView::mouseReleaseEvent(event);
    if (!dragged)
        return;
    const int startRow = JournalTableModel::gridRow(dragStart_.row());
    dragStart_ = QPersistentModelIndex();
    const QModelIndex current = currentIndex();
    Q_EMIT gridMouseUp(rowUnderPointer(startRow, dragStartCellTop_, static_cast<int>(event->position().y()),
                                       current.isValid() ? rowHeight(current.row()) : 0));
}

int rowUnderPointer(int startRow, int startCellTop, int releaseY, int cellHeight)
{
    if (cellHeight <= 0)
        return startRow;
    const int distance = releaseY - startCellTop;
    int rows = distance / cellHeight;
    // Rounded down, also above the start row.
    if (distance % cellHeight != 0 && distance < 0)
        --rows;
    return startRow + rows;
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
    ensureCurrentCellInView();
    Q_EMIT currentGridCellChanged(JournalTableModel::gridRow(current.row()), current.column());
}

void JournalGridView::ensureCurrentCellInView()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !isVisible())
        return;
    // Column widths and row heights just changed reach the scroll bars first.
    executeDelayedItemsLayout();
    updateGeometries();
    // Wholly in view: a row cut off at an edge cannot be read or typed into.
    scrollTo(current);
}

void JournalGridView::scrollContentsBy(int dx, int dy)
{

    QTableView::scrollContentsBy(dx, dy);
    if (dx == 0 && dy == 0)
        return;
    // A floating control would stay where it was while its cell moves away.
    // Hiding the one with the keyboard would pass the keyboard on to the
    // window's next control; the grid keeps it, and the cell editor takes it
    // back when it is laid over the current cell again.
    if (cellEditor_->hasFocus() || isPartOfDropDown(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    cellEditor_->hide();
    dropDown_->hide();
}

void JournalGridView::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    // A smaller grid (or a larger font) may leave the current cell cut off.
    const QModelIndex current = currentIndex();
    if (cellEditor_->isVisible() && current.isValid() && !viewport()->rect().contains(visualRect(current))) {
        const QString text = cellEditor_->text();
        ensureCurrentCellInView();
        showCellEditor(text);
    }
}

} // namespace mokpe::journal
