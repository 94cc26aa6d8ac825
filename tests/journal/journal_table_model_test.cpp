#include "journal/journal_table_model.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

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
    EXPECT_EQ(model.index(0, CreditAmountColumn).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 255));
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

TEST(JournalGridSnapshot, KeepsOnlyTheRowsItIsGivenAndRestoresThemWhite)
{
    JournalGrid grid;
    grid.setJournalRowCount(3);
    for (int r = 1; r <= 3; ++r)
        grid.setRowTexts(r, {QString::number(r), QStringLiteral("2026/1/%1").arg(r), {}, QStringLiteral("100")});
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
