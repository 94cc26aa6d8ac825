#include "common/ui/floating_cell_grid.h"

#include "common/twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

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

} // namespace

FloatingCellGrid::FloatingCellGrid(int columns, QWidget *parent)
    : QTableWidget(0, columns, parent), fixedColour_(palette().color(QPalette::Button))
{
    auto *editor = new CellLineEdit(viewport());
    editor->setObjectName(QStringLiteral("cellEditor"));
    editor->setFrame(false);
    editor->hide();
    editor->onEnter = [this] { storeEditorText(); };
    editor_ = editor;

    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);

    connect(this, &QTableWidget::currentCellChanged, this, &FloatingCellGrid::onCurrentCellChanged);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, editor_, &QWidget::hide);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, editor_, &QWidget::hide);
}

QTableWidgetItem *FloatingCellGrid::makeItem(int column, const QString &text) const
{
    auto *item = new QTableWidgetItem(text);
    if (column == 0) {
        // The number column is fixed: shown, never current.
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(fixedColour_);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setBackground(Qt::white);
    }
    return item;
}

void FloatingCellGrid::resetGrid(int rows)
{
    editor_->clear();
    clearContents();
    setGridRows(rows);
    for (int r = 1; r < gridRows(); ++r) {
        for (int c = 0; c < columnCount(); ++c)
            setItem(r - 1, c, makeItem(c, QString()));
    }
}

void FloatingCellGrid::setHeadings(const QStringList &headings)
{
    setHorizontalHeaderLabels(headings);
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
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem *i = item(r, 0))
            i->setBackground(colour);
    }
}

void FloatingCellGrid::setGridRows(int rows)
{
    const int old = rowCount();
    setRowCount(std::max(0, rows - 1));
    for (int r = old; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c)
            setItem(r, c, makeItem(c, QString()));
    }
}

QString FloatingCellGrid::cellText(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem *h = horizontalHeaderItem(column);
        return h ? h->text() : QString();
    }
    const QTableWidgetItem *i = item(row - 1, column);
    return i ? i->text() : QString();
}

void FloatingCellGrid::setCellText(int row, int column, const QString &text)
{
    if (row < 1 || row >= gridRows())
        return;
    if (QTableWidgetItem *i = item(row - 1, column))
        i->setText(text);
    else
        setItem(row - 1, column, makeItem(column, text));
}

void FloatingCellGrid::setCurrentGridCell(int row, int column)
{
    setCurrentCell(row - 1, column);
}

void FloatingCellGrid::insertEmptyGridRow(int row)
{
    const int at = std::clamp(row - 1, 0, rowCount());
    insertRow(at);
    for (int c = 0; c < columnCount(); ++c)
        setItem(at, c, makeItem(c, QString()));
}

void FloatingCellGrid::removeGridRow(int row)
{
    if (row >= 1 && row < gridRows())
        removeRow(row - 1);
}

void FloatingCellGrid::appendEmptyGridRow()
{
    insertEmptyGridRow(gridRows());
}

void FloatingCellGrid::renumber()
{
    for (int r = 1; r < gridRows(); ++r)
        setCellText(r, 0, QString::number(r));
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
    if (!currentIndex().isValid() || !editableColumns_.contains(currentColumn()))
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
    if (row < 1 || column < 0)
        return;
    setCellText(row, column, editor_->text());
    Q_EMIT cellStored(row, column);
    if (row < gridRows() - 1) {
        setCurrentGridCell(row + 1, column);
        openEditorOnCurrentCell();
    }
}

void FloatingCellGrid::onCurrentCellChanged(int row, int column, int, int)
{
    if (row < 0 || column < 0)
        return;
    // The number column is never the current cell: a click on a number (or an
    // arrow key) lands on the row's first data cell, so Enter cannot store into it.
    if (column == 0 && columnCount() > 1) {
        setCurrentCell(row, 1);
        return;
    }
    placeEditorOverCurrentCell();
    editor_->setText(cellText(row + 1, column));
}

void FloatingCellGrid::mousePressEvent(QMouseEvent *event)
{
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid())
        return;
    if (editableColumns_.contains(index.column()) && index == currentIndex())
        openEditorOnCurrentCell();
}

void FloatingCellGrid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    if (editor_->isVisible())
        placeEditorOverCurrentCell();
}

} // namespace mokpe::ui
