#include "maintenance/list_grid.h"

#include <algorithm>
#include <utility>

namespace mokpe::maintenance {

ListGrid::ListGrid(QStringList headings, int maxRowTotal, int rowTotal)
    : headings_(std::move(headings)), maxRowTotal_(maxRowTotal)
{
    rows_.assign(static_cast<size_t>(std::max(rowTotal, 2) - 1), emptyRow());
}

const QString &ListGrid::text(int row, int column) const
{
    static const QString none;
    if (column < 0 || column >= columnCount() || row < 0 || row >= rowTotal())
        return none;
    return row == 0 ? headings_.at(column) : rows_[index(row)].at(column);
}

void ListGrid::setText(int row, int column, const QString &text)
{
    if (row < 1 || row >= rowTotal() || column < 1 || column >= columnCount())
        return;
    rows_[index(row)][column] = text;
    if (listener_)
        listener_->cellsChanged(row, row, column, column);
}

void ListGrid::resize(int rowTotal)
{
    const int old = this->rowTotal();
    rowTotal = std::max(rowTotal, 2);
    if (rowTotal > old) {
        if (listener_)
            listener_->rowsAboutToBeInserted(old, rowTotal - 1);
        rows_.resize(static_cast<size_t>(rowTotal - 1), emptyRow());
        if (listener_)
            listener_->rowsInserted();
    } else if (rowTotal < old) {
        if (listener_)
            listener_->rowsAboutToBeRemoved(rowTotal, old - 1);
        rows_.resize(static_cast<size_t>(rowTotal - 1));
        if (listener_)
            listener_->rowsRemoved();
    }
}

void ListGrid::clear(int rowTotal)
{
    // Announced as the rows added or dropped at the end and one change of
    // every cell, so that a view keeps its current cell where it still is.
    resize(rowTotal);
    std::fill(rows_.begin(), rows_.end(), emptyRow());
    numbered_ = false;
    if (listener_)
        listener_->cellsChanged(1, this->rowTotal() - 1, 0, columnCount() - 1);
}

void ListGrid::setRows(const QList<QStringList> &rows)
{
    resize(static_cast<int>(rows.size()) + 1);
    std::fill(rows_.begin(), rows_.end(), emptyRow());
    for (int r = 1; r < rowTotal(); ++r) {
        QStringList &cells = rows_[index(r)];
        cells[0] = QString::number(r);
        if (r > rows.size())
            continue;
        const QStringList &given = rows.at(r - 1);
        for (qsizetype c = 1; c < cells.size() && c <= given.size(); ++c)
            cells[c] = given.at(c - 1);
    }
    numbered_ = true;
    if (listener_)
        listener_->cellsChanged(1, rowTotal() - 1, 0, columnCount() - 1);
}

bool ListGrid::insertRows(int row, int count)
{
    if (count < 1 || row < 1 || row > rowTotal() || !canInsertRows(count))
        return false;
    if (listener_)
        listener_->rowsAboutToBeInserted(row, row + count - 1);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index(row)), static_cast<size_t>(count),
                 emptyRow());
    if (listener_)
        listener_->rowsInserted();
    renumber(row);
    return true;
}

bool ListGrid::removeRows(int row, int count)
{
    if (count < 1 || row < 1 || row + count > rowTotal() || !canRemoveRows(count))
        return false;
    if (listener_)
        listener_->rowsAboutToBeRemoved(row, row + count - 1);
    const auto first = rows_.begin() + static_cast<std::ptrdiff_t>(index(row));
    rows_.erase(first, first + count);
    if (listener_)
        listener_->rowsRemoved();
    renumber(row);
    return true;
}

void ListGrid::renumber(int firstRow)
{
    if (!numbered_)
        firstRow = 1;
    numbered_ = true;
    if (firstRow >= rowTotal())
        return;
    for (int r = firstRow; r < rowTotal(); ++r)
        rows_[index(r)][0] = QString::number(r);
    if (listener_)
        listener_->cellsChanged(firstRow, rowTotal() - 1, 0, 0);
}

} // namespace mokpe::maintenance
