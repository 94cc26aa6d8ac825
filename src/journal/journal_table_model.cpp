#include "journal/journal_table_model.h"

#include <algorithm>

namespace mokpe::journal {

JournalTableModel::JournalTableModel(JournalGrid &grid, QObject *parent)
    : QAbstractTableModel(parent), grid_(grid)
{
    grid_.setListener(this);
}

JournalTableModel::~JournalTableModel()
{
    grid_.setListener(nullptr);
}

QColor JournalTableModel::cellColour(CellColour colour)
{
    switch (colour) {
    case CellColour::Balance:
        return QColor(255, 0, 0);
    case CellColour::Edited:
        return QColor(235, 250, 255);
    case CellColour::White:
        break;
    }
    return QColor(255, 255, 255);
}

int JournalTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : grid_.rowTotal() - 1;
}

int JournalTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant JournalTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount)
        return {};
    const int row = gridRow(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return grid_.text(row, index.column());
    case Qt::BackgroundRole:
        if (index.column() == NumberColumn && fixedColour_.isValid())
            return fixedColour_;
        return cellColour(grid_.colour(row, index.column()));
    default:
        return {};
    }
}

QVariant JournalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < kColumnCount) {
        if (role == Qt::DisplayRole)
            return grid_.text(0, section);
        if (role == Qt::BackgroundRole && fixedColour_.isValid())
            return fixedColour_;
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return section + 1;
    return {};
}

Qt::ItemFlags JournalTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // Column 0 is fixed: it shows the row numbers and never becomes the current cell.
    if (index.column() == NumberColumn)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void JournalTableModel::setFixedColour(const QColor &colour)
{
    fixedColour_ = colour;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, NumberColumn), index(rowCount() - 1, NumberColumn), {Qt::BackgroundRole});
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void JournalTableModel::gridAboutToReset()
{
    beginResetModel();
}

void JournalTableModel::gridReset()
{
    endResetModel();
}

void JournalTableModel::rowsAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), modelRow(first), modelRow(last));
}

void JournalTableModel::rowsInserted()
{
    endInsertRows();
}

void JournalTableModel::rowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows(QModelIndex(), modelRow(first), modelRow(last));
}

void JournalTableModel::rowsRemoved()
{
    endRemoveRows();
}

void JournalTableModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (firstRow == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, firstColumn, lastColumn);
        if (lastRow == 0)
            return;
        firstRow = 1;
    }
    Q_EMIT dataChanged(index(modelRow(firstRow), firstColumn), index(modelRow(lastRow), lastColumn));
}

} // namespace mokpe::journal
