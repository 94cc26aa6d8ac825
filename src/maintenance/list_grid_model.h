#pragma once

#include "maintenance/list_grid.h"

#include <QAbstractTableModel>

namespace mokpe::maintenance {

// A maintenance editor's list as a Qt table: grid row 0 (the headings) is the
// horizontal header, grid rows 1 onward are model rows 0 onward, columns as in
// the grid. Reads the grid in place and hears every change from it. What the
// view asks to change (a cell's text, rows inserted or removed) goes to the
// grid, whose rules decide; column 0, the row numbers, is never editable.
class ListGridModel final : public QAbstractTableModel, private ListGridListener {
    Q_OBJECT
public:
    explicit ListGridModel(ListGrid &grid, QObject *parent = nullptr);
    ~ListGridModel() override;

    static int gridRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    ListGrid &grid() const { return grid_; }

private:
    bool isCell(const QModelIndex &index) const;
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) override;

    ListGrid &grid_;
};

} // namespace mokpe::maintenance
