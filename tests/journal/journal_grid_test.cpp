#include "journal/journal_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace mokpe::journal {
namespace {

// What an undo must bring back: the texts of rows 0 to the snapshot's last row
// as they stood when the snapshot was taken.
std::vector<RowTexts> textsUpTo(const JournalGrid &grid, int lastRow)
{
    std::vector<RowTexts> rows;
    for (int r = 0; r <= lastRow; ++r)
        rows.push_back(grid.rowTexts(r));
    return rows;
}

void fill(JournalGrid &grid, int rows)
{
    grid.initialise(kMinimumRowTotal);
    for (int r = 1; r <= rows; ++r) {
        grid.setRowTexts(r, {QString::number(r), QStringLiteral("2008/07/%1").arg(r),
                             QStringLiteral("旅費交通費"), QString::number(r * 10), QStringLiteral("仮払金"),
                             QString::number(r * 10), QStringLiteral("入場 %1").arg(r)});
    }
    grid.setJournalRowCount(rows);
}

struct SnapshotCase {
    const char *name;
    std::function<void(JournalGrid &)> change;
};

TEST(JournalGridSnapshot, UndoBringsBackTheTextsOfTheSnapshotWhateverChangedSince)
{
    constexpr int kRows = 120;
    const std::vector<SnapshotCase> cases = {
        {"nothing", [](JournalGrid &) {}},
        {"one cell", [](JournalGrid &g) { g.setText(3, DebitAmountColumn, QStringLiteral("999")); }},
        {"one cell twice",
         [](JournalGrid &g) {
             g.setText(3, SummaryColumn, QStringLiteral("a"));
             g.setText(3, SummaryColumn, QStringLiteral("b"));
         }},
        {"a cell below the snapshot", [](JournalGrid &g) { g.setText(kRows + 5, 1, QStringLiteral("x")); }},
        {"more cells than are kept aside",
         [](JournalGrid &g) {
             for (int r = 1; r <= kRows; ++r)
                 g.setText(r, CreditAccountColumn, QStringLiteral("現金%1").arg(r));
         }},
        {"a cell, then a row inserted",
         [](JournalGrid &g) {
             g.setText(2, DateColumn, QStringLiteral("2009/01/01"));
             g.insertRow(1);
         }},
        {"a cell, then rows removed",
         [](JournalGrid &g) {
             g.setText(7, DateColumn, QStringLiteral("2009/01/01"));
             const std::vector<int> rows = {2, 5, 6};
             g.removeRows(rows);
         }},
        {"a column filled",
         [](JournalGrid &g) { g.fillColumn(1, 50, CreditAccountColumn, QStringLiteral("x"), {}); }},
        {"renumbered after a removal",
         [](JournalGrid &g) {
             g.removeRow(4);
             g.setJournalRowCount(kRows - 1);
             g.Fm2_RowNumbering();
         }},
        {"the grid cut short", [](JournalGrid &g) { g.setRowTotal(10); }},
        {"started afresh", [](JournalGrid &g) { g.initialise(kMinimumRowTotal); }},
    };
    for (const SnapshotCase &c : cases) {
        SCOPED_TRACE(c.name);
        JournalGrid grid;
        fill(grid, kRows);
        const int last = grid.lastRowWithText();
        const std::vector<RowTexts> expected = textsUpTo(grid, last);
        grid.takeSnapshot(last, kRows);
        c.change(grid);

        ASSERT_EQ(grid.snapshotRows(), last + 1);
        EXPECT_EQ(grid.snapshotRowCount(), kRows);
        for (int r = 0; r <= last; ++r)
            ASSERT_EQ(grid.snapshotRow(r), expected[static_cast<size_t>(r)]) << "snapshot row " << r;

        grid.restoreSnapshot(kMinimumRowTotal);
        EXPECT_EQ(grid.journalRowCount(), kRows);
        EXPECT_EQ(grid.rowTotal(), kMinimumRowTotal);
        for (int r = 0; r <= last; ++r)
            ASSERT_EQ(grid.rowTexts(r), expected[static_cast<size_t>(r)]) << "row " << r;
        for (int r = last + 1; r < grid.rowTotal(); ++r)
            ASSERT_EQ(grid.rowTexts(r), RowTexts{}) << "row " << r;
    }
}

TEST(JournalGridSnapshot, ASecondSnapshotReplacesTheFirstAndClearingForgetsIt)
{
    JournalGrid grid;
    fill(grid, 5);
    grid.takeSnapshot(grid.lastRowWithText(), 5);
    grid.setText(2, SummaryColumn, QStringLiteral("first"));
    const std::vector<RowTexts> second = textsUpTo(grid, 5);
    grid.takeSnapshot(5, 5);
    grid.setText(2, SummaryColumn, QStringLiteral("second"));
    grid.restoreSnapshot(kMinimumRowTotal);
    EXPECT_EQ(grid.text(2, SummaryColumn), QStringLiteral("first"));
    EXPECT_EQ(textsUpTo(grid, 5), second);

    grid.clearSnapshot();
    EXPECT_EQ(grid.snapshotRows(), 0);
    grid.setText(1, SummaryColumn, QStringLiteral("after"));
    EXPECT_EQ(grid.snapshotRows(), 0);
}

} // namespace
} // namespace mokpe::journal
