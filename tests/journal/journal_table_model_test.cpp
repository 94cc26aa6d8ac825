#include "journal/journal_table_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

namespace mokpe::journal {
namespace {

struct JournalTableModelTest : ::testing::Test {
    JournalGrid grid;
    JournalTableModel model{grid};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(JournalTableModelTest, HeadingsAreTheHeaderAndGridRowOneIsModelRowZero)
{
    EXPECT_EQ(model.rowCount(), kMinimumRowTotal - 1);
    EXPECT_EQ(model.headerData(6, Qt::Horizontal).toString(), QStringLiteral("摘要"));
    grid.setText(1, DateColumn, QStringLiteral("2026/01/06"));
    grid.setColour(1, DebitAmountColumn, CellColour::Balance);
    EXPECT_EQ(model.index(0, DateColumn).data().toString(), QStringLiteral("2026/01/06"));
    EXPECT_EQ(model.index(0, DebitAmountColumn).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(model.index(0, CreditAmountColumn).data(Qt::BackgroundRole).value<QColor>(),
              QColor(255, 255, 255));
    EXPECT_FALSE(model.flags(model.index(0, NumberColumn)).testFlag(Qt::ItemIsSelectable));
}

TEST_F(JournalTableModelTest, EveryGridChangeIsAnnounced)
{
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    grid.insertRow(3);
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 2);
    grid.removeRow(3);
    ASSERT_EQ(removed.size(), 1);
    grid.setRowTotal(kMinimumRowTotal + 5);
    EXPECT_EQ(inserted.size(), 2);
    EXPECT_EQ(model.rowCount(), kMinimumRowTotal + 4);

    grid.setText(4, SummaryColumn, QStringLiteral("x"));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(3, SummaryColumn));
    grid.setText(0, SummaryColumn, QStringLiteral("摘要!"));
    EXPECT_EQ(header.size(), 1);

    {
        BulkChange bulk(grid);
        for (int r = 1; r < 50; ++r)
            grid.setText(r, DateColumn, QStringLiteral("d"));
        grid.insertRow(2);
    }
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(inserted.size(), 2);
}

// Row operations change many rows at once; the view hears each as one change.
TEST_F(JournalTableModelTest, RowsRemovedAndFilledTogether)
{
    for (int r = 1; r <= 10; ++r)
        grid.setText(r, SummaryColumn, QString::number(r));
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    const std::vector<int> run{3, 4, 5};
    grid.removeRows(run);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(removed[0][2].toInt(), 4);
    EXPECT_EQ(reset.size(), 0);

    // Rows 1 2 6 7 8 9 10 now; three separate rows go in one pass.
    const std::vector<int> scattered{1, 4, 7};
    grid.removeRows(scattered);
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(model.rowCount(), kMinimumRowTotal - 1 - 6);
    QStringList left;
    for (int r = 1; r <= 4; ++r)
        left.append(grid.text(r, SummaryColumn));
    EXPECT_EQ(left, (QStringList{"2", "6", "8", "9"}));

    grid.fillColumn(2, 4, CreditAccountColumn, QStringLiteral("現金"), CellColour::Edited);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, CreditAccountColumn));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(3, CreditAccountColumn));
    EXPECT_EQ(grid.colour(4, CreditAccountColumn), CellColour::Edited);
    EXPECT_EQ(grid.text(5, CreditAccountColumn), QString());
}

// Undo restores in place: the rows that differ change, the rows beyond the
// snapshot's row total go, and the view keeps its place (no reset).
TEST_F(JournalTableModelTest, RestoreAnnouncesOnlyWhatDiffers)
{
    for (int r = 1; r <= 5; ++r)
        grid.setText(r, SummaryColumn, QString::number(r));
    grid.setJournalRowCount(5);
    grid.takeSnapshot(grid.lastRowWithText(), 5);
    grid.setText(4, SummaryColumn, QStringLiteral("changed"));
    grid.setColour(2, DateColumn, CellColour::Edited);
    grid.setRowTotal(kMinimumRowTotal + 3);

    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    grid.restoreSnapshot(kMinimumRowTotal);
    EXPECT_EQ(reset.size(), 0);
    ASSERT_EQ(removed.size(), 1);
    EXPECT_EQ(removed[0][1].toInt(), kMinimumRowTotal - 1);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, NumberColumn));
    EXPECT_EQ(changed[0][1].toModelIndex(), model.index(3, SummaryColumn));
    EXPECT_EQ(grid.text(4, SummaryColumn), QStringLiteral("4"));
    EXPECT_EQ(grid.colour(2, DateColumn), CellColour::White);

    // Nothing differs: nothing is announced.
    grid.restoreSnapshot(kMinimumRowTotal);
    EXPECT_EQ(changed.size(), 1);
}

TEST(JournalGridSnapshot, LeavesOutTheRowsItIsTold)
{
    JournalGrid grid;
    for (int r = 1; r <= 6; ++r)
        grid.setText(r, SummaryColumn, QString::number(r));
    const std::vector<int> skipped{2, 5, 9};
    grid.takeSnapshot(grid.lastRowWithText(), 4, skipped);
    EXPECT_EQ(grid.snapshotRows(), 5);
    QStringList kept;
    for (int r = 0; r < grid.snapshotRows(); ++r)
        kept.append(grid.snapshotRow(r)[SummaryColumn]);
    EXPECT_EQ(kept, (QStringList{"摘要", "1", "3", "4", "6"}));
    EXPECT_EQ(grid.snapshotRowCount(), 4);
}

TEST(JournalGridSnapshot, KeepsOnlyTheRowsItIsGivenAndRestoresThemWhite)
{
    JournalGrid grid;
    grid.setJournalRowCount(3);
    for (int r = 1; r <= 3; ++r)
        grid.setRowTexts(r,
                         {QString::number(r), QStringLiteral("2026/1/%1").arg(r), {}, QStringLiteral("100")});
    grid.setText(7, SummaryColumn, QStringLiteral("typed below the journal"));
    EXPECT_EQ(grid.lastRowWithText(), 7);
    grid.takeSnapshot(grid.lastRowWithText(), grid.journalRowCount());
    EXPECT_EQ(grid.snapshotRows(), 8);

    grid.setColour(2, DebitAmountColumn, CellColour::Edited);
    grid.removeRow(1);
    grid.setJournalRowCount(2);
    grid.setText(20, DateColumn, QStringLiteral("later text"));
    grid.restoreSnapshot(kMinimumRowTotal);

    EXPECT_EQ(grid.journalRowCount(), 3);
    EXPECT_EQ(grid.rowTotal(), kMinimumRowTotal);
    EXPECT_EQ(grid.text(1, DateColumn), QStringLiteral("2026/1/1"));
    EXPECT_EQ(grid.text(7, SummaryColumn), QStringLiteral("typed below the journal"));
    EXPECT_TRUE(grid.text(20, DateColumn).isEmpty());
    EXPECT_EQ(grid.colour(2, DebitAmountColumn), CellColour::White);
    EXPECT_EQ(grid.text(0, SummaryColumn), QStringLiteral("摘要"));
}

} // namespace
} // namespace mokpe::journal
