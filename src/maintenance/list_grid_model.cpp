#include "maintenance/list_grid_model.h"

namespace mokpe::maintenance {

ListGridModel::ListGridModel(ListGrid &grid, QObject *parent) : QAbstractTableModel(parent), grid_(grid)
{
    grid_.setListener(this);
}

ListGridModel::~ListGridModel()
{
    grid_.setListener(nullptr);
}

bool ListGridModel::isCell(const QModelIndex &index) const
{
    return index.isValid() && index.row() < rowCount() && index.column() < columnCount();
}

int ListGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : grid_.rowTotal() - 1;
}

int ListGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : grid_.columnCount();
}

QVariant ListGridModel::data(const QModelIndex &index, int role) const
{
    if (!isCell(index))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return grid_.text(gridRow(index.row()), index.column());
    case Qt::TextAlignmentRole:
        if (index.column() == 0)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    default:
        return {};
    }
}

QVariant ListGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < grid_.columnCount() ? QVariant(grid_.text(0, section)) : QVariant();
    return section + 1;
}

Qt::ItemFlags ListGridModel::flags(const QModelIndex &index) const
{
    if (!isCell(index))
        return Qt::NoItemFlags;
    // Column 0 is fixed: it shows the row numbers and never becomes the current cell.
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool ListGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !flags(index).testFlag(Qt::ItemIsEditable))
        return false;
    grid_.setText(gridRow(index.row()), index.column(), value.toString());
    return true;
}

bool ListGridModel::insertRows(int row, int count, const QModelIndex &parent)
{
    return !parent.isValid() && grid_.insertRows(gridRow(row), count);
}

bool ListGridModel::removeRows(int row, int count, const QModelIndex &parent)
{
    return !parent.isValid() && grid_.removeRows(gridRow(row), count);
}

void ListGridModel::rowsAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), modelRow(first), modelRow(last));
}

void ListGridModel::rowsInserted()
{
    endInsertRows();
}

void ListGridModel::rowsAboutToBeRemoved(int first, int last)
{
    beginRemoveRows(QModelIndex(), modelRow(first), modelRow(last));
}

void ListGridModel::rowsRemoved()
{
    endRemoveRows();
}

void ListGridModel::cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    Q_EMIT dataChanged(index(modelRow(firstRow), firstColumn), index(modelRow(lastRow), lastColumn));
}

} // namespace mokpe::maintenance
