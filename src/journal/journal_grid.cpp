#include "journal/journal_grid.h"

#include <algorithm>

namespace mokpe::journal {

namespace {

// Equal texts, told cheaply for the usual cases: the same shared text, or
// two empty ones.
bool sameText(const QString &a, const QString &b)
{
    if (a.isSharedWith(b))
        return true;
    if (a.size() != b.size())
        return false;
    return a.isEmpty() || a == b;
}

} // namespace

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
    if (total < old)
        settleSnapshot();
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
        // A journal built from a long history and cut back to a few rows gives
        // the room back.
        if (rows_.capacity() > 2 * rows_.size() + index(kMinimumRowTotal))
            rows_.shrink_to_fit();
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
    keepForSnapshot(row, column);
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
    settleSnapshot();
    Row &r = rows_[index(row)];
    r.text = std::move(texts);
    r.colour.fill(CellColour::White);
    if (notifying())
        listener_->cellsChanged(row, row, 0, kColumnCount - 1);
}

void JournalGrid::initialise(int total)
{
    BulkChange bulk(*this);
    settleSnapshot();
    rows_.clear();
    rows_.resize(index(std::max(total, 1)));
    for (int c = 0; c < kColumnCount; ++c)
        rows_[0].text[c] = kHeadings[c];
}

void JournalGrid::insertRow(int row)
{
    if (notifying())
        listener_->rowsAboutToBeInserted(row, row);
    settleSnapshot();
    rows_.insert(rows_.begin() + row, Row{});
    if (notifying())
        listener_->rowsInserted();
}

void JournalGrid::removeRow(int row)
{
    if (notifying())
        listener_->rowsAboutToBeRemoved(row, row);
    settleSnapshot();
    rows_.erase(rows_.begin() + row);
    if (notifying())
        listener_->rowsRemoved();
}

void JournalGrid::removeRows(std::span<const int> rows)
{
    if (rows.empty())
        return;
    settleSnapshot();
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
    settleSnapshot();
    for (int r = firstRow; r <= lastRow; ++r) {
        Row &row = rows_[index(r)];
        row.text[column] = text;
        row.colour[column] = colour;
    }
    if (notifying())
        listener_->cellsChanged(firstRow, lastRow, column, column);
}

const QString &JournalGrid::numberText(int row)
{
    while (static_cast<int>(numberTexts_.size()) <= row)
        numberTexts_.push_back(QString::number(numberTexts_.size()));
    return numberTexts_[index(row)];
}

void JournalGrid::Fm2_RowNumbering()
{
    const int last = std::min(journalRowCount_, rowTotal() - 1);
    int firstChanged = -1;
    int lastChanged = -1;
    for (int r = 1; r <= last; ++r) {
        QString &cell = rows_[index(r)].text[NumberColumn];
        // Shared texts: a renumbered journal of any length allocates nothing.
        const QString &number = numberText(r);
        if (!sameText(cell, number)) {
            settleSnapshot();
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
    snapshotRowCount_ = rowCount;
    replaced_.clear();
    keepSnapshotColours(skippedRows);
    if (skippedRows.empty()) {
        snapshotPending_ = true;
        pendingLastRow_ = std::max(last, -1);
        return;
    }
    snapshotPending_ = false;
    copySnapshot(last, skippedRows);
}

namespace {

// Cells typed over after a snapshot whose old texts are kept aside, before the
// rows are copied instead.
constexpr size_t kReplacedTextsKept = 64;

} // namespace

void JournalGrid::keepForSnapshot(int row, int column)
{
    if (!snapshotPending_ || row > pendingLastRow_)
        return;
    for (const ReplacedText &kept : replaced_) {
        if (kept.cell == CellPosition{row, column})
            return;
    }
    if (replaced_.size() >= kReplacedTextsKept) {
        copyPendingSnapshot();
        return;
    }
    replaced_.push_back({{row, column}, rows_[index(row)].text[column]});
}

void JournalGrid::keepSnapshotColours(std::span<const int> skippedRows)
{
    snapshotColours_.clear();
    auto skipped = skippedRows.begin();
    int kept = 0;
    for (int r = 0; r < rowTotal(); ++r) {
        if (skipped != skippedRows.end() && *skipped == r) {
            ++skipped;
            continue;
        }
        const std::array<CellColour, kColumnCount> &colours = rows_[index(r)].colour;
        for (int c = 0; c < kColumnCount; ++c) {
            if (colours[c] != CellColour::White)
                snapshotColours_.push_back({{kept, c}, colours[c]});
        }
        ++kept;
    }
}

void JournalGrid::copyPendingSnapshot() const
{
    snapshotPending_ = false;
    copySnapshot(pendingLastRow_, {});
    for (ReplacedText &kept : replaced_)
        snapshot_[index(kept.cell.row)][kept.cell.column] = std::move(kept.text);
    replaced_.clear();
}

void JournalGrid::copySnapshot(int last, std::span<const int> skippedRows) const
{
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
        // A row unchanged since the last snapshot costs a comparison only.
        RowTexts &saved = snapshot_[kept++];
        const RowTexts &texts = rows_[index(r)].text;
        for (int c = 0; c < kColumnCount; ++c) {
            if (!saved[c].isSharedWith(texts[c]))
                saved[c] = texts[c];
        }
    }
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
    // Rows come and go at the end only; the rest is restored in place, so that
    // an undo after a one-cell change touches one cell and a view keeps its place.
    settleSnapshot();
    setRowTotal(std::max({total, snapshotRows(), 1}));
    int firstChanged = -1;
    int lastChanged = -1;
    const RowTexts empty;
    auto kept = snapshotColours_.cbegin();
    for (int r = 0; r < rowTotal(); ++r) {
        Row &row = rows_[index(r)];
        const RowTexts &saved = r < snapshotRows() ? snapshot_[index(r)] : empty;
        std::array<CellColour, kColumnCount> colours{};
        for (; kept != snapshotColours_.cend() && kept->cell.row == r; ++kept)
            colours[kept->cell.column] = kept->colour;
        bool changed = row.colour != colours;
        row.colour = colours;
        for (int c = 0; c < kColumnCount; ++c) {
            QString &cell = row.text[c];
            if (!sameText(cell, saved[c])) {
                cell = saved[c];
                changed = true;
            }
        }
        if (changed) {
            if (firstChanged < 0)
                firstChanged = r;
            lastChanged = r;
        }
    }
    journalRowCount_ = snapshotRowCount_;
    if (firstChanged >= 0 && notifying())
        listener_->cellsChanged(firstChanged, lastChanged, 0, kColumnCount - 1);
}

void JournalGrid::clearSnapshot()
{
    snapshot_.clear();
    snapshot_.shrink_to_fit();
    snapshotRowCount_ = 0;
    snapshotPending_ = false;
    replaced_.clear();
    snapshotColours_.clear();
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
