// Cell editing and account assignment: the commit's rules, Enter, the drag
// that ends on the drop-down, the assignment over a range, the text size.
#include "journal/editor_fixture.h"
#include "journal/journal_file.h"

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using platform::InputMode;

const QString kFixed = QStringLiteral("「　日付　」及び「　金額　」欄は変更できません．");

struct CellEditingTest : test::EditorFixture {
    CellEditingTest() { load({"a", "b", "c|", "d", "e"}); }
    // A drag in `column` from `first` down to `last`, the drop-down opened at
    // its end.
    JournalEditor::GridMouseUp drag(int first, int last, int column)
    {
        editor.setCurrentCell(first, column);
        editor.gridMouseDown();
        return editor.gridMouseUp(last);
    }
};

struct CommitCase {
    const char *name;
    CellPosition cell;
    QString typed;
    // Empty when the commit goes through.
    QString message;
};

void PrintTo(const CommitCase &c, std::ostream *os)
{
    *os << c.name;
}

class CommitTest : public CellEditingTest, public ::testing::WithParamInterface<CommitCase> {};

TEST_P(CommitTest, WritesOrRefusesWithoutASnapshot)
{
    const CommitCase &c = GetParam();
    const QString before = grid.text(c.cell.row, c.cell.column);
    grid.setText(4, SummaryColumn, QStringLiteral("changed since start-up"));
    editor.setCurrentCell(c.cell.row, c.cell.column);

    const bool accepted = c.message.isEmpty();
    EXPECT_EQ(editor.Fm2_CellCommit(c.typed), accepted);
    EXPECT_EQ(told(), accepted ? QStringList() : QStringList{c.message});
    EXPECT_EQ(grid.text(c.cell.row, c.cell.column), accepted ? c.typed : before);
    EXPECT_EQ(grid.colour(c.cell.row, c.cell.column), accepted ? CellColour::Edited : CellColour::White);
    EXPECT_EQ(grid.modified(), accepted);
    // The snapshot is taken only for a commit that goes through.
    editor.undoCommand();
    EXPECT_EQ(grid.text(4, SummaryColumn),
              accepted ? QStringLiteral("changed since start-up") : QStringLiteral("d"));
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CommitTest,
    ::testing::Values(
        CommitCase{"Summary", {2, SummaryColumn}, QStringLiteral("会議, 資料"), {}},
        CommitCase{"Account", {2, CreditAccountColumn}, QStringLiteral("現金"), {}},
        CommitCase{"EmptyAmount", {3, DebitAmountColumn}, QStringLiteral("1200"), {}},
        CommitCase{"BelowTheJournal", {7, DateColumn}, QStringLiteral("2008/07/25"), {}},
        CommitCase{"DateWithAValue", {1, DateColumn}, QStringLiteral("2008/07/20"), kFixed},
        CommitCase{"DebitAmountWithAValue", {2, DebitAmountColumn}, QStringLiteral("1"), kFixed},
        CommitCase{"CreditAmountWithAValue", {2, CreditAmountColumn}, QString(), kFixed},
        // A comma before the summary would move the saved file's fields.
        CommitCase{"CommaInAnAccount",
                   {2, DebitAccountColumn},
                   QStringLiteral("普通預金,三井"),
                   QStringLiteral("「借方科目」欄には「,」を入力できません．「,」を取り除いて下さい．")},
        CommitCase{"CommaInAnEmptyAmount",
                   {3, CreditAmountColumn},
                   QStringLiteral("1,200"),
                   QStringLiteral("「貸方金額」欄には「,」を入力できません．「,」を取り除いて下さい．")},
        // The cell editor takes a pasted line end; the saved file and the
        // export would split the row there.
        CommitCase{"LineFeedInASummary",
                   {2, SummaryColumn},
                   QStringLiteral("会議\n資料"),
                   QStringLiteral("「摘要」欄には改行を入力できません．改行を取り除いて下さい．")},
        CommitCase{"CarriageReturnInAnAccount",
                   {2, CreditAccountColumn},
                   QStringLiteral("現金\r"),
                   QStringLiteral("「貸方科目」欄には改行を入力できません．改行を取り除いて下さい．")},
        CommitCase{"LineEndInAnEmptyAmount",
                   {3, DebitAmountColumn},
                   QStringLiteral("1200\r\n"),
                   QStringLiteral("「借方金額」欄には改行を入力できません．改行を取り除いて下さい．")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(CellEditingTest, EnterCommitsMovesDownToTheLastRowAndRecomputes)
{
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-400"));
    editor.setCurrentCell(3, DebitAmountColumn);
    EXPECT_TRUE(editor.enterKeyCommand(QStringLiteral("1200")));
    EXPECT_EQ(grid.current(), (CellPosition{4, DebitAmountColumn}));
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-1,600"));

    // Refused, Enter still moves on; the last row is reached and kept.
    EXPECT_FALSE(editor.enterKeyCommand(QStringLiteral("5")));
    EXPECT_EQ(grid.current(), (CellPosition{5, DebitAmountColumn}));
    editor.setCurrentCell(5, SummaryColumn);
    EXPECT_TRUE(editor.enterKeyCommand(QStringLiteral("last")));
    EXPECT_EQ(grid.current(), (CellPosition{5, SummaryColumn}));
    EXPECT_EQ(grid.text(5, SummaryColumn), QStringLiteral("last"));
    EXPECT_EQ(told(), QStringList{kFixed});
}

TEST_F(CellEditingTest, MouseUpOpensTheDropDownOnAccountsOnly)
{
    const struct {
        int row;
        int column;
        bool dropDown;
        InputMode mode;
        bool hideEditor;
    } cases[] = {
        {2, DebitAccountColumn, true, InputMode::Hiragana, false},
        {2, CreditAccountColumn, true, InputMode::Hiragana, false},
        {2, SummaryColumn, false, InputMode::Hiragana, false},
        // A date or amount with a value is not typed over; an empty one is.
        {2, DateColumn, false, InputMode::Direct, true},
        {2, CreditAmountColumn, false, InputMode::Direct, true},
        {3, DebitAmountColumn, false, InputMode::Direct, false},
    };
    for (const auto &c : cases) {
        const JournalEditor::GridMouseUp up = drag(c.row, c.row, c.column);
        EXPECT_EQ(up.dropDown, c.dropDown) << c.column;
        EXPECT_EQ(up.inputMode, c.mode) << c.column;
        EXPECT_EQ(up.hideEditor, c.hideEditor) << c.row << ":" << c.column;
        EXPECT_EQ(editor.dragRange().startRow, c.row);
        EXPECT_EQ(editor.dragRange().endRow, c.row);
    }
    EXPECT_FALSE(grid.modified());
}

TEST_F(CellEditingTest, RangeAssignmentAndItsUndo)
{
    // Changed after start-up: the undo must return to this, not to start-up.
    editor.setCurrentCell(1, SummaryColumn);
    ASSERT_TRUE(editor.Fm2_CellCommit(QStringLiteral("A")));
    grid.setModified(false);

    ASSERT_TRUE(drag(2, 4, CreditAccountColumn).dropDown);
    EXPECT_EQ(editor.KamokuPaste(QStringLiteral("現金")), QStringLiteral("現金"));
    EXPECT_EQ(column(CreditAccountColumn),
              (QStringList{"1:電子マネー", "2:現金", "3:現金", "4:現金", "5:電子マネー"}));
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(grid.colour(r, CreditAccountColumn),
                  r >= 2 && r <= 4 ? CellColour::Edited : CellColour::White);
    EXPECT_TRUE(grid.modified());

    editor.undoCommand();
    EXPECT_EQ(column(CreditAccountColumn),
              (QStringList{"1:電子マネー", "2:電子マネー", "3:電子マネー", "4:電子マネー", "5:電子マネー"}));
    EXPECT_EQ(grid.text(1, SummaryColumn), QStringLiteral("A"));
}

TEST_F(CellEditingTest, DragsReachTheLastRowAndNoFurther)
{
    // Released far below the journal: up to the last row, which is assigned.
    ASSERT_TRUE(drag(3, 40, DebitAccountColumn).dropDown);
    EXPECT_EQ(editor.dragRange().endRow, 5);
    // After the first comma another one: refused, nothing assigned.
    EXPECT_EQ(editor.KamokuPaste(QStringLiteral("111,1111,交際費")), std::nullopt);
    EXPECT_EQ(told(), QStringList{QStringLiteral(
                          "「借方科目」欄には「,」を入力できません．「,」を取り除いて下さい．")});
    EXPECT_EQ(editor.KamokuPaste(QStringLiteral("1111,交際費")), QStringLiteral("交際費"));
    EXPECT_EQ(column(DebitAccountColumn),
              (QStringList{"1:旅費交通", "2:旅費交通", "3:交際費", "4:交際費", "5:交際費"}));
    EXPECT_EQ(grid.rowTexts(6), RowTexts{});

    // Upward: nothing.
    grid.setModified(false);
    drag(4, 2, CreditAccountColumn);
    EXPECT_EQ(editor.KamokuPaste(QStringLiteral("現金")), QStringLiteral("現金"));
    EXPECT_EQ(grid.text(2, CreditAccountColumn), QStringLiteral("電子マネー"));
    EXPECT_EQ(grid.text(4, CreditAccountColumn), QStringLiteral("電子マネー"));
    EXPECT_FALSE(grid.modified());

    // From below the journal: nothing either.
    drag(7, 8, CreditAccountColumn);
    EXPECT_EQ(editor.dragRange().endRow, 5);
    editor.KamokuPaste(QStringLiteral("現金"));
    EXPECT_TRUE(grid.text(7, CreditAccountColumn).isEmpty());
    EXPECT_FALSE(grid.modified());
}

TEST_F(CellEditingTest, AssignmentOverRowsIsTheDragAndThePick)
{
    state.settings.unsettledAccount.name = QStringLiteral("電子未決");
    state.accounts.lines = {"000,0000,電子未決残", "111,1111,現金", "222,2222,x,y,z"};
    state.accounts.lastIndex = 2;
    using enum JournalEditor::AssignOutcome;
    const int dc = DebitAccountColumn;
    const int cc = CreditAccountColumn;
    // What load() puts in the two columns, and what is assigned.
    const QString tr = QStringLiteral("旅費交通");
    const QString em = QStringLiteral("電子マネー");
    const QString cash = QStringLiteral("現金");
    const QString unsettled = QStringLiteral("電子未決");
    const QString comma =
        QStringLiteral("「借方科目」欄には「,」を入力できません．「,」を取り除いて下さい．");
    const struct {
        const char *name;
        int first;
        int last;
        int column;
        QString account;
        JournalEditor::AssignOutcome outcome;
        // The column's texts, rows 1 to 5, afterwards.
        QStringList texts;
        QStringList told;
    } cases[] = {
        {"Range", 2, 4, cc, cash, Assigned, {em, cash, cash, cash, em}, {}},
        {"PastTheLastRow", 3, 40, dc, cash, Assigned, {tr, tr, cash, cash, cash}, {}},
        {"OneRow", 5, 5, dc, unsettled, Assigned, {tr, tr, tr, tr, unsettled}, {}},
        // A drag upward picks no rows.
        {"Upward", 4, 2, cc, cash, Assigned, {em, em, em, em, em}, {}},
        {"BelowTheJournal", 6, 6, dc, cash, NotAJournalRow, {tr, tr, tr, tr, tr}, {}},
        {"NotOffered", 1, 5, dc, QStringLiteral("売上"), NotInTheList, {tr, tr, tr, tr, tr}, {}},
        {"SecondComma", 1, 2, dc, QStringLiteral("x,y,z"), Refused, {tr, tr, tr, tr, tr}, {comma}},
    };
    for (const auto &c : cases) {
        load({"a", "b", "c", "d", "e"});
        scripted.messages.shown.clear();
        EXPECT_EQ(editor.assignAccountCommand(c.first, c.last, c.column, c.account), c.outcome) << c.name;
        QStringList texts;
        for (int r = 1; r <= 5; ++r)
            texts.append(grid.text(r, c.column));
        EXPECT_EQ(texts, c.texts) << c.name;
        EXPECT_EQ(told(), c.told) << c.name;
        EXPECT_EQ(grid.modified(), c.texts != QStringList(5, c.column == dc ? tr : em)) << c.name;
    }
}

TEST_F(CellEditingTest, TextSizeStaysWithinSevenAndTwentyFourPoints)
{
    const auto widths = [this] { return editor.columnWidthsTwips(); };
    EXPECT_EQ(editor.fontSize(), 9);
    int steps = 0;
    while (editor.enlargeFontCommand())
        ++steps;
    // 9, 11, … 23, then 24: eight steps, the last one short.
    EXPECT_EQ(steps, 8);
    EXPECT_EQ(editor.fontSize(), 24);
    EXPECT_EQ(widths(), (std::array<int, kColumnCount>{1550, 2300, 2500, 1900, 2500, 1900, 6200}));
    EXPECT_FALSE(editor.enlargeFontCommand());
    EXPECT_EQ(widths()[0], 1550);

    steps = 0;
    while (editor.reduceFontCommand())
        ++steps;
    EXPECT_EQ(steps, 9);
    EXPECT_EQ(editor.fontSize(), 7);
    EXPECT_EQ(widths(), (std::array<int, kColumnCount>{650, 1400, 1600, 1000, 1600, 1000, 5300}));
    EXPECT_FALSE(editor.reduceFontCommand());
    EXPECT_TRUE(editor.enlargeFontCommand());
    EXPECT_EQ(editor.fontSize(), 9);
    EXPECT_EQ(widths(), kColumnWidthsTwips);
}

} // namespace
} // namespace mokpe::journal
