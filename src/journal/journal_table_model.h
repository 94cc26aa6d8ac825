#pragma once

#include "journal/journal_grid.h"

#include <QAbstractTableModel>
#include <QColor>

namespace mokpe::journal {

// The journal grid as a Qt table: grid row 0 (the headings) is the horizontal
// header, grid rows 1 to the row total - 1 are model rows 0 onward, columns as
// in the grid. Reads the grid in place and hears every change from it; the
// model itself never changes a cell.
class JournalTableModel final : public QAbstractTableModel, private JournalGridListener {
    Q_OBJECT
public:
    explicit JournalTableModel(JournalGrid &grid, QObject *parent = nullptr);
    ~JournalTableModel() override;

    static int gridRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Background of the fixed column 0 and of the heading row (the screen colour).
    void setFixedColour(const QColor &colour);
    JournalGrid &grid() const { return grid_; }

    static QColor cellColour(CellColour colour);

private:
    void gridAboutToReset() override;
    void gridReset() override;
    void rowsAboutToBeInserted(int first, int last) override;
    void rowsInserted() override;
    void rowsAboutToBeRemoved(int first, int last) override;
    void rowsRemoved() override;
    void cellsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn) override;

    JournalGrid &grid_;
    QColor fixedColour_;
};

} // namespace mokpe::journal
