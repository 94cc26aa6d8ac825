#include "common/journal_grid.h"

#include <algorithm>

namespace mokpe::journal {

JournalGrid::JournalGrid()
{
    initialise(kMinimumRowTotal);
}

void JournalGrid::setRowTotal(int total)
{
    total = std::max(total, 1);
    const int old = rowTotal();
    if (total == old)
        return;
    if (total > old) {
        if (notifying())
            listener_->rowsAboutToBeInserted(old, total - 1);
        rows_.resize(index(total));
        if (notifying())
            listener_->rowsInserted();
    } else {
        if (notifying())
            listener_->rowsAboutToBeRemoved(total, old - 1);
        rows_.resize(index(total));
        if (notifying())
            listener_->rowsRemoved();
    }
}

void JournalGrid::cellChanged(int row, int column)
{
    if (notifying())
        listener_->cellsChanged(row, row, column, column);
}

void JournalGrid::setText(int row, int column, const QString &text)
{
    QString &cell = rows_[index(row)].text[column];
    if (cell == text)
        return;
    cell = text;
    cellChanged(row, column);
}

void JournalGrid::setColour(int row, int column, CellColour colour)
{
    CellColour &cell = rows_[index(row)].colour[column];
    if (cell == colour)
        return;
    cell = colour;
    cellChanged(row, column);
}

void JournalGrid::setRowTexts(int row, RowTexts texts)
{
    Row &r = rows_[index(row)];
    r.text = std::move(texts);
    r.colour.fill(CellColour::White);
    if (notifying())
        listener_->cellsChanged(row, row, 0, kColumnCount - 1);
}

void JournalGrid::initialise(int total)
{
    BulkChange bulk(*this);
    rows_.clear();
    rows_.resize(index(std::max(total, 1)));
    for (int c = 0; c < kColumnCount; ++c)
        rows_[0].text[c] = kHeadings[c];
}

void JournalGrid::insertRow(int row)
{
    if (notifying())
        listener_->rowsAboutToBeInserted(row, row);
    rows_.insert(rows_.begin() + row, Row{});
    if (notifying())
        listener_->rowsInserted();
}

void JournalGrid::removeRow(int row)
{
    if (notifying())
        listener_->rowsAboutToBeRemoved(row, row);
    rows_.erase(rows_.begin() + row);
    if (notifying())
        listener_->rowsRemoved();
}

void JournalGrid::removeRows(std::span<const int> rows)
{
    if (rows.empty())
        return;
    const int first = rows.front();
    if (rows.back() - first + 1 == static_cast<int>(rows.size())) {
        if (notifying())
            listener_->rowsAboutToBeRemoved(first, rows.back());
        rows_.erase(rows_.begin() + first, rows_.begin() + rows.back() + 1);
        if (notifying())
            listener_->rowsRemoved();
        return;
    }
    BulkChange bulk(*this);
    size_t kept = index(first);
    size_t next = 0;
    for (size_t r = index(first); r < rows_.size(); ++r) {
        if (next < rows.size() && index(rows[next]) == r) {
            ++next;
            continue;
        }
        rows_[kept++] = std::move(rows_[r]);
    }
    rows_.resize(kept);
}

void JournalGrid::fillColumn(int firstRow, int lastRow, int column, const QString &text, CellColour colour)
{
    if (lastRow < firstRow)
        return;
    for (int r = firstRow; r <= lastRow; ++r) {
        Row &row = rows_[index(r)];
        row.text[column] = text;
        row.colour[column] = colour;
    }
    if (notifying())
        listener_->cellsChanged(firstRow, lastRow, column, column);
}

void JournalGrid::renumber()
{
    const int last = std::min(journalRowCount_, rowTotal() - 1);
    int firstChanged = -1;
    int lastChanged = -1;
    for (int r = 1; r <= last; ++r) {
        QString &cell = rows_[index(r)].text[NumberColumn];
        const QString number = QString::number(r);
        if (cell != number) {
            cell = number;
            if (firstChanged < 0)
                firstChanged = r;
            lastChanged = r;
        }
    }
    if (firstChanged >= 0 && notifying())
        listener_->cellsChanged(firstChanged, lastChanged, NumberColumn, NumberColumn);
}

void JournalGrid::takeSnapshot(int lastRow, int rowCount, std::span<const int> skippedRows)
{
    const int last = std::min(lastRow, rowTotal() - 1);
    const auto skippedEnd = std::upper_bound(skippedRows.begin(), skippedRows.end(), last);
    const auto skipped = static_cast<int>(skippedEnd - skippedRows.begin());
    snapshot_.resize(index(std::max(last + 1 - skipped, 0)));
    size_t kept = 0;
    auto next = skippedRows.begin();
    for (int r = 0; r <= last; ++r) {
        if (next != skippedEnd && *next == r) {
            ++next;
            continue;
        }
        snapshot_[kept++] = rows_[index(r)].text;
    }
    snapshotRowCount_ = rowCount;
}

int JournalGrid::lastRowWithText() const
{
    for (int r = rowTotal() - 1; r > 0; --r) {
        const RowTexts &texts = rows_[index(r)].text;
        if (std::any_of(texts.begin(), texts.end(), [](const QString &t) { return !t.isEmpty(); }))
            return r;
    }
    return 0;
}

void JournalGrid::restoreSnapshot(int total)
{
    BulkChange bulk(*this);
    rows_.clear();
    rows_.resize(index(std::max({total, snapshotRows(), 1})));
    for (size_t r = 0; r < snapshot_.size(); ++r)
        rows_[r].text = snapshot_[r];
    journalRowCount_ = snapshotRowCount_;
}

void JournalGrid::clearSnapshot()
{
    snapshot_.clear();
    snapshot_.shrink_to_fit();
    snapshotRowCount_ = 0;
}

void JournalGrid::beginBulkChange()
{
    if (bulkDepth_++ == 0 && listener_)
        listener_->gridAboutToReset();
}

void JournalGrid::endBulkChange()
{
    if (--bulkDepth_ == 0 && listener_)
        listener_->gridReset();
}

} // namespace mokpe::journal
