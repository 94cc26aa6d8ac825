// Row operations and undo: each operation on one journal, the rows it leaves
// (as "number:summary"), the count, the grid's row total, the modified flag and
// what undo brings back.
#include "journal/editor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace mokpe::journal {
namespace {

const QStringList kFive = {"a", "b", "c", "d", "e"};
const QStringList kFiveRows = {"1:a", "2:b", "3:c", "4:d", "5:e"};

struct RowOperationsTest : test::EditorFixture {
    QStringList rows() const { return column(SummaryColumn); }
};

struct OperationCase {
    const char *name;
    int currentRow;
    std::function<bool(JournalEditor &)> operation;
    bool done;
    QStringList after;
    // Where the current cell ends (a deletion makes the deleted row current);
    // 0: where it was.
    int currentAfter = 0;
};

void PrintTo(const OperationCase &c, std::ostream *os)
{
    *os << c.name;
}

const OperationCase kOperations[] = {
    {"InsertInTheMiddle",
     3,
     [](JournalEditor &e) { return e.insertRowCommand(); },
     true,
     {"1:a", "2:b", "3:", "4:c", "5:d", "6:e"}},
    {"InsertJustBelowTheJournal",
     6,
     [](JournalEditor &e) { return e.insertRowCommand(); },
     true,
     {"1:a", "2:b", "3:c", "4:d", "5:e", "6:"}},
    // Further down the new row would stand apart from the journal.
    {"InsertFarBelowIsRefused", 8, [](JournalEditor &e) { return e.insertRowCommand(); }, false, kFiveRows},
    {"Append",
     2,
     [](JournalEditor &e) {
         e.appendRowCommand();
         return true;
     },
     true,
     {"1:a", "2:b", "3:c", "4:d", "5:e", "6:"}},
    {"DeleteCurrent",
     2,
     [](JournalEditor &e) { return e.deleteRowCommand(); },
     true,
     {"1:a", "2:c", "3:d", "4:e"}},
    {"DeleteFirst",
     1,
     [](JournalEditor &e) { return e.deleteRowCommand(); },
     true,
     {"1:b", "2:c", "3:d", "4:e"}},
    // An empty row below the journal is no journal row: the last row stays.
    {"DeleteBelowTheJournalIsRefused", 6, [](JournalEditor &e) { return e.deleteRowCommand(); }, false,
     kFiveRows},
    {"DeleteLast",
     2,
     [](JournalEditor &e) { return e.deleteLastRowCommand(); },
     true,
     {"1:a", "2:b", "3:c", "4:d"},
     5},
};

class RowOperationTest : public RowOperationsTest, public ::testing::WithParamInterface<OperationCase> {};

TEST_P(RowOperationTest, RowsCountAndUndo)
{
    const OperationCase &c = GetParam();
    load(kFive);
    grid.setColour(1, SummaryColumn, CellColour::Edited);
    // Row e still holds the card balance, wherever the operation moves it.
    grid.setColour(5, DebitAmountColumn, CellColour::Balance);
    grid.setColour(5, CreditAmountColumn, CellColour::Balance);
    editor.Fm2_UndoSave();
    grid.setCurrent({c.currentRow, SummaryColumn});

    EXPECT_EQ(c.operation(editor), c.done);
    EXPECT_EQ(rows(), c.after);
    const auto rowE =
        std::find_if(c.after.begin(), c.after.end(), [](const QString &r) { return r.endsWith(":e"); });
    EXPECT_EQ(firstBalanceCellRow(grid),
              rowE == c.after.end() ? std::nullopt : std::optional<int>(int(rowE - c.after.begin()) + 1));
    EXPECT_EQ(grid.journalRowCount(), c.after.size());
    EXPECT_EQ(grid.modified(), c.done);
    // The grid keeps its empty rows below the journal.
    EXPECT_EQ(grid.current(), (CellPosition{c.currentAfter ? c.currentAfter : c.currentRow, SummaryColumn}));
    EXPECT_EQ(grid.rowTotal(), c.name == std::string("Append") ? kMinimumRowTotal + 1 : kMinimumRowTotal);
    for (int r = grid.journalRowCount() + 1; r < grid.rowTotal(); ++r)
        ASSERT_EQ(grid.rowTexts(r), RowTexts{}) << r;

    // Undo brings back the journal before the operation, its colours with it:
    // the balance is still to be settled.
    editor.undoCommand();
    EXPECT_EQ(rows(), kFiveRows);
    EXPECT_EQ(grid.rowTotal(), kMinimumRowTotal);
    EXPECT_EQ(grid.colour(1, SummaryColumn), CellColour::Edited);
    EXPECT_EQ(balanceCells(grid), (QList<CellPosition>{{5, DebitAmountColumn}, {5, CreditAmountColumn}}));
    EXPECT_FALSE(editor.Fm2_BalanceCellCheck());
    EXPECT_TRUE(grid.modified());
}

INSTANTIATE_TEST_SUITE_P(Operations, RowOperationTest, ::testing::ValuesIn(kOperations),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RowOperationsTest, SnapshotHoldsTheRowsInUseOnly)
{
    load(kFive);
    grid.setCurrent({2, DateColumn});
    ASSERT_TRUE(editor.insertRowCommand());
    EXPECT_EQ(grid.snapshotRows(), 6);
    EXPECT_EQ(grid.snapshotRowCount(), 5);
    // Pressed twice, undo restores the same snapshot twice.
    editor.undoCommand();
    editor.undoCommand();
    EXPECT_EQ(rows(), (QStringList{"1:a", "2:b", "3:c", "4:d", "5:e"}));
}

TEST_F(RowOperationsTest, LongJournalEndsAtItsLastRow)
{
    QStringList many;
    for (int r = 1; r <= 2500; ++r)
        many.append(QString::number(r));
    load(many);
    EXPECT_EQ(grid.rowTotal(), 2501);
    grid.setCurrent({10, DateColumn});
    ASSERT_TRUE(editor.insertRowCommand());
    EXPECT_EQ(grid.rowTotal(), 2502);
    EXPECT_EQ(grid.text(2501, SummaryColumn), QStringLiteral("2500"));
    EXPECT_EQ(grid.text(2501, NumberColumn), QStringLiteral("2501"));
    ASSERT_TRUE(editor.deleteLastRowCommand());
    ASSERT_TRUE(editor.deleteLastRowCommand());
    EXPECT_EQ(grid.journalRowCount(), 2499);
    EXPECT_EQ(grid.rowTotal(), 2500);
    editor.undoCommand();
    EXPECT_EQ(grid.journalRowCount(), 2500);
    EXPECT_EQ(grid.rowTotal(), 2501);
    EXPECT_EQ(grid.text(2500, SummaryColumn), QStringLiteral("2499"));
}

TEST_F(RowOperationsTest, DeletionsRecomputeTheSettlement)
{
    load({"a|200"});
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-200"));
    ASSERT_TRUE(editor.deleteLastRowCommand());
    EXPECT_EQ(grid.journalRowCount(), 0);
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　0"));
    // With nothing left, "最終行削除" changes nothing.
    grid.setModified(false);
    EXPECT_FALSE(editor.deleteLastRowCommand());
    EXPECT_EQ(grid.journalRowCount(), 0);
    EXPECT_FALSE(grid.modified());
    editor.undoCommand();
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-200"));
}

struct BulkCase {
    const char *name;
    BulkDelete which;
    QStringList journal;
    QStringList after;
    // Undo brings back the topmost deleted row only.
    QStringList undone;
    int topmost;
};

void PrintTo(const BulkCase &c, std::ostream *os)
{
    *os << c.name;
}

class BulkDeleteTest : public RowOperationsTest, public ::testing::WithParamInterface<BulkCase> {};

TEST_P(BulkDeleteTest, OneQuestionThenEveryRow)
{
    const BulkCase &c = GetParam();
    load(c.journal);
    grid.setCurrent({1, SummaryColumn});
    scripted.messages.answerNext(true);
    EXPECT_EQ(editor.Fm2_BulkRowDelete(c.which), c.journal.size() - c.after.size());
    EXPECT_EQ(scripted.messages.shown,
              (std::vector<test::ShownMessage>{
                  {test::ShownMessage::Ask,
                   "連続で行削除します．一度削除すると戻りません．\r\n削除しますか？", "連続行削除"}}));
    EXPECT_EQ(rows(), c.after);
    EXPECT_EQ(grid.current(), (CellPosition{c.topmost, SummaryColumn}));
    EXPECT_TRUE(grid.modified());
    editor.undoCommand();
    EXPECT_EQ(rows(), c.undone);
}

INSTANTIATE_TEST_SUITE_P(Modes, BulkDeleteTest,
                         ::testing::Values(BulkCase{"Goods",
                                                    BulkDelete::GoodsRows,
                                                    {"a", "物販 b", "c", "d 物販", "e", "物販"},
                                                    {"1:a", "2:c", "3:e"},
                                                    {"1:a", "2:物販 b", "3:c", "4:e"},
                                                    2},
                                           // Only a number is zero: an empty or written-out amount keeps its
                                           // row, and the run goes on past it.
                                           BulkCase{"Zero",
                                                    BulkDelete::ZeroAmountRows,
                                                    {"a|0", "b|", "c|abc", "d|0.4", "e|100", "f| -0 ",
                                                     "g|0.5", "h|0"},
                                                    {"1:b", "2:c", "3:e"},
                                                    {"1:a", "2:b", "3:c", "4:e"},
                                                    1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RowOperationsTest, BulkDeleteAskedNoOrFindingNothingChangesNothing)
{
    load(kFive);
    scripted.messages.answerNext(false);
    EXPECT_EQ(editor.Fm2_BulkRowDelete(BulkDelete::GoodsRows), 0);
    scripted.messages.answerNext(true);
    EXPECT_EQ(editor.Fm2_BulkRowDelete(BulkDelete::ZeroAmountRows), 0);
    EXPECT_EQ(rows(), (QStringList{"1:a", "2:b", "3:c", "4:d", "5:e"}));
    EXPECT_FALSE(grid.modified());
    EXPECT_EQ(scripted.messages.shown.size(), 2u);
}

} // namespace
} // namespace mokpe::journal
