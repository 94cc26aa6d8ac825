#include "journal/journal_editor.h"

#include "journal/journal_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kPrefix = QStringLiteral("No.1: 山田，");
const QString kHeader = QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考");

struct JournalEditorTest : ::testing::Test {
    test::TempFolder folder;
    test::ScriptedServices scripted;
    AppState state;
    JournalEditor editor{state, scripted.services()};

    JournalEditorTest()
    {
        state.programFolder = folder.path();
        state.settings.formatChoice = QStringLiteral("0");
        state.settings.unsettledAccount = {"000", "0000", QStringLiteral("電子未決")};
        state.settings.emoneyNameCopy = QStringLiteral("電子マネー");
        state.history.sourcePath = folder.file(QStringLiteral("card.csv"));
        state.history.sourceName = QStringLiteral("card.csv");
    }
    void open(int kind, const QStringList &lines)
    {
        state.history.cardKind = kind;
        state.history.lines = lines;
        state.history.lines.append(QString());
        state.history.lastLineIndex = static_cast<int>(lines.size()) - 1;
        editor.startUp();
    }
    // Balances 1000 (newest), 1200, 1500 (oldest, to be settled).
    void openTransit()
    {
        open(TransitCard, {kHeader, "2008/07/21,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,",
                           "2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1200,",
                           "2008/07/19,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1500,"});
    }
    QStringList informed() const
    {
        QStringList texts;
        for (const test::ShownMessage &m : scripted.messages.shown) {
            if (m.kind == test::ShownMessage::Inform)
                texts.append(m.text);
        }
        return texts;
    }
};

TEST_F(JournalEditorTest, TransitStartUp)
{
    state.summaryPrefix = kPrefix;
    openTransit();
    EXPECT_EQ(editor.caption(), QStringLiteral("編集：　") + folder.file(QStringLiteral("card.csv")));
    EXPECT_EQ(editor.grid().journalRowCount(), 3);
    // 200 + 300 spent, and the unsettled balance counted as spending too.
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-2,000"));
    EXPECT_TRUE(editor.recalculateVisible());
    EXPECT_FALSE(editor.grid().modified());
    EXPECT_EQ(editor.grid().current(), (CellPosition{1, 1}));
    // The snapshot holds the rows in use and nothing more.
    EXPECT_EQ(editor.grid().snapshotRows(), 4);
    EXPECT_EQ(editor.grid().snapshotRowCount(), 3);
    EXPECT_EQ(editor.grid().snapshotRow(3)[DebitAmountColumn], QStringLiteral("1500"));
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(JournalEditorTest, UndoRightAfterStartUpRestoresTheLoadedJournal)
{
    openTransit();
    std::vector<RowTexts> loaded;
    for (int r = 0; r <= 3; ++r)
        loaded.push_back(editor.grid().rowTexts(r));
    editor.grid().setText(3, SummaryColumn, QStringLiteral("changed"));
    editor.grid().setText(4, DateColumn, QStringLiteral("2008/07/18"));
    editor.grid().restoreSnapshot(kMinimumRowTotal);
    EXPECT_EQ(editor.grid().journalRowCount(), 3);
    for (int r = 0; r <= 3; ++r)
        EXPECT_EQ(editor.grid().rowTexts(r), loaded[static_cast<size_t>(r)]) << r;
    EXPECT_EQ(editor.grid().rowTexts(4), RowTexts{});
}

TEST_F(JournalEditorTest, LabelPerCardKind)
{
    open(TransitCard, {kHeader});
    EXPECT_EQ(editor.grid().journalRowCount(), 0);
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　0"));

    open(Edy, {QStringLiteral("Edy"), QStringLiteral("2008/07/19 12:00 ﾁｬｰｼﾞ    \\1,000")});
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　1,000"));
    EXPECT_TRUE(editor.recalculateVisible());

    open(MoneyReport, {QStringLiteral("費目別取引"), QStringLiteral("1,2008/07/19,食費,昼食,-800")});
    EXPECT_EQ(editor.settlementLabel(), QString());
    EXPECT_FALSE(editor.recalculateVisible());
    editor.Fm2_TotalShow();
    EXPECT_EQ(editor.settlementLabel(), QString());

    // A loaded journal shows no amount, not even after "再計算".
    open(JournalFile, {QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要"),
                       QStringLiteral("1,2008/07/19,旅費交通,160,電子マネー,160,")});
    EXPECT_EQ(editor.settlementLabel(), QString());
    EXPECT_TRUE(editor.recalculateVisible());
    editor.Fm2_TotalShow();
    EXPECT_EQ(editor.settlementLabel(), QString());
    EXPECT_EQ(editor.grid().journalRowCount(), 1);
    EXPECT_EQ(editor.grid().snapshotRows(), 2);
}

TEST_F(JournalEditorTest, AccountListNamesTheAccounts)
{
    state.accounts.lines = {QStringLiteral("000,0000,電子未決残"), QStringLiteral("111,1111,電子マネー"),
                            QStringLiteral("222,2222,旅費交通費"), QStringLiteral("12345仮払金"),
                            QStringLiteral("333,3333,not listed")};
    state.accounts.lastIndex = 3;
    EXPECT_EQ(editor.accountList(), (QStringList{QStringLiteral("電子未決"), QStringLiteral("電子マネー"),
                                                 QStringLiteral("旅費交通費"), QStringLiteral("仮払金")}));
}

TEST_F(JournalEditorTest, BalanceCellsOpenTheDialogAndSettleThemselves)
{
    openTransit();
    EXPECT_FALSE(editor.Fm2_CellEditorShow());
    editor.setCurrentCell(3, DebitAmountColumn);
    ASSERT_TRUE(editor.Fm2_CellEditorShow());
    EXPECT_EQ(editor.pendingCell().row, QStringLiteral("3"));
    EXPECT_EQ(editor.pendingCell().column, QStringLiteral("3"));
    EXPECT_EQ(editor.pendingCell().value, QStringLiteral("1500"));

    // The user has moved on to the other red cell before confirming.
    editor.grid().setText(2, DebitAmountColumn, QStringLiteral("300"));
    editor.setCurrentCell(3, CreditAmountColumn);
    editor.settlePendingCell(QStringLiteral("320"));
    EXPECT_EQ(editor.grid().text(3, DebitAmountColumn), QStringLiteral("320"));
    EXPECT_EQ(editor.grid().colour(3, DebitAmountColumn), CellColour::White);
    EXPECT_EQ(editor.grid().colour(3, CreditAmountColumn), CellColour::Balance);
    EXPECT_EQ(editor.pendingCell().value, QStringLiteral("320"));
    // Settling is no edit, and the label waits for "再計算".
    EXPECT_FALSE(editor.grid().modified());
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-2,000"));
    editor.Fm2_TotalShow();
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-820"));

    EXPECT_EQ(editor.Fm2_BalanceCellCheck(), -1);
    EXPECT_EQ(informed(),
              QStringList{QStringLiteral("3行目：「　金額　」列が使用金額ではない可能性有ります．")});
    EXPECT_EQ(editor.grid().current(), (CellPosition{3, CreditAmountColumn}));
    editor.settlePendingCell(QStringLiteral("320"));
    ASSERT_TRUE(editor.Fm2_CellEditorShow());
    editor.settlePendingCell(QStringLiteral("320"));
    EXPECT_EQ(editor.Fm2_BalanceCellCheck(), 0);
    EXPECT_EQ(informed().size(), 1);
}

struct ChecksTest : JournalEditorTest {
    // Five complete rows; `blanks` empties (row, column) cells.
    void openFive(const std::vector<CellPosition> &blanks)
    {
        QStringList lines{QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要")};
        for (int r = 1; r <= 5; ++r)
            lines.append(QStringLiteral("%1,2008/07/1%1,旅費交通,10%1,電子マネー,10%1,s").arg(r));
        open(JournalFile, lines);
        for (const CellPosition &cell : blanks)
            editor.grid().setText(cell.row, cell.column, QString());
    }
};

TEST_F(ChecksTest, RowCountCheckReportsTheLastIncompleteRow)
{
    openFive({{2, CreditAmountColumn}, {5, CreditAmountColumn}});
    EXPECT_EQ(editor.Fm2_RowCountCheck(), -1);
    EXPECT_EQ(informed(), QStringList{QStringLiteral("No. 5 行目 : 日付か金額欄に空欄行を検出しました．")});
    EXPECT_EQ(editor.grid().journalRowCount(), 5);

    scripted.messages.shown.clear();
    EXPECT_EQ(editor.Fm2_BlankCheck(), 1);
    EXPECT_EQ(informed(),
              QStringList{QStringLiteral("2行目：「　日付　」か「　金額　」列に空欄が有ります．")});
}

TEST_F(ChecksTest, RowCountCheckRecountsTheNumberedRows)
{
    openFive({{1, DateColumn}});
    editor.grid().setJournalRowCount(2);
    editor.grid().setText(4, NumberColumn, QString());
    // Row 5 is complete but lies past the first row without a number.
    EXPECT_EQ(editor.Fm2_RowCountCheck(), -1);
    EXPECT_EQ(editor.grid().journalRowCount(), 3);
    EXPECT_EQ(informed(), QStringList{QStringLiteral("No. 1 行目 : 日付か金額欄に空欄行を検出しました．")});

    scripted.messages.shown.clear();
    editor.grid().setText(1, DateColumn, QStringLiteral("2008/07/11"));
    EXPECT_EQ(editor.Fm2_RowCountCheck(), 0);
    EXPECT_EQ(editor.Fm2_BlankCheck(), 0);
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(ChecksTest, RowCountCheckStopsAtTheGridsLastRow)
{
    openFive({});
    editor.grid().setRowTotal(6);
    EXPECT_EQ(editor.Fm2_RowCountCheck(), 0);
    EXPECT_EQ(editor.grid().journalRowCount(), 5);
    editor.grid().setText(5, DebitAmountColumn, QString());
    EXPECT_EQ(editor.Fm2_RowCountCheck(), -1);
    EXPECT_EQ(informed(), QStringList{QStringLiteral("No. 5 行目 : 日付か金額欄に空欄行を検出しました．")});
}

TEST_F(ChecksTest, SaveRefusesIncompleteRowsBeforeTheDialog)
{
    openFive({{2, CreditAmountColumn}, {5, CreditAmountColumn}});
    const QString path = folder.file(QStringLiteral("out.csv"));
    scripted.dialogs.chooseNext(path);
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(informed(), QStringList{QStringLiteral("No. 5 行目 : 日付か金額欄に空欄行を検出しました．")});
    EXPECT_TRUE(scripted.dialogs.filters.isEmpty());
    EXPECT_FALSE(QFile::exists(path));

    // With a comma in an account no dialog opens either.
    openFive({});
    editor.grid().setText(4, CreditAccountColumn, QStringLiteral("普通預金,三井"));
    scripted.messages.shown.clear();
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(informed(),
              QStringList{QStringLiteral("No. 4 行目 : 「貸方科目」欄に「,」があるため保存できません．"
                                         "「,」を取り除いて下さい．")});
    EXPECT_TRUE(scripted.dialogs.filters.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(JournalEditorTest, SaveAsksForTheFileAndReplacesItOnYes)
{
    openTransit();
    editor.grid().setModified(true);
    const QString path = folder.file(QStringLiteral("saved.csv"));
    writeBytes(path, "old contents that are longer than nothing\r\n");

    // "No" keeps the old file and the flag.
    scripted.dialogs.chooseNext(path);
    scripted.messages.answerNext(false);
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(scripted.dialogs.filters, QStringList{QStringLiteral("CSVファイル (*.csv)")});
    EXPECT_EQ(scripted.dialogs.presetNames, QStringList{QStringLiteral("card.csv")});
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0],
              (test::ShownMessage{test::ShownMessage::Ask,
                                  QStringLiteral("同じファイル名があります．上書きしますか？"),
                                  QStringLiteral("ファイルの上書き")}));
    EXPECT_EQ(fileBytes(path), QByteArray("old contents that are longer than nothing\r\n"));
    EXPECT_TRUE(editor.grid().modified());

    scripted.dialogs.chooseNext(path);
    scripted.messages.answerNext(true);
    EXPECT_TRUE(editor.saveCommand());
    QBuffer expected;
    expected.open(QIODevice::WriteOnly);
    ASSERT_EQ(writeJournalFile(expected, editor.grid(), path), QString());
    EXPECT_EQ(fileBytes(path), expected.data());
    EXPECT_EQ(state.history.sourceName, QStringLiteral("saved.csv"));
    EXPECT_FALSE(editor.grid().modified());

    // A cancelled dialog writes nothing and says nothing.
    editor.grid().setModified(true);
    scripted.messages.shown.clear();
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(scripted.dialogs.presetNames.last(), QStringLiteral("saved.csv"));
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_TRUE(editor.grid().modified());
}

TEST_F(JournalEditorTest, FailedSaveIsToldAndKeepsTheFlag)
{
    openTransit();
    editor.grid().setModified(true);
    const QString folderTarget = folder.file(QStringLiteral("a folder.csv"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("a folder.csv")));
    const QString missing = folder.file(QStringLiteral("no/such/out.csv"));
    for (const QString &path : {folderTarget, missing}) {
        scripted.messages.shown.clear();
        EXPECT_FALSE(editor.saveJournalTo(path));
        ASSERT_EQ(informed().size(), 1) << path.toStdString();
        EXPECT_TRUE(informed()[0].startsWith(
            QStringLiteral("ファイル「%1」に書き込めません．\r\n").arg(QDir::toNativeSeparators(path))))
            << informed()[0].toStdString();
        EXPECT_TRUE(editor.grid().modified());
        EXPECT_EQ(state.history.sourceName, QStringLiteral("card.csv"));
    }
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(JournalEditorTest, CloseAsksOnlyAfterAnEdit)
{
    openTransit();
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(editor.grid().journalRowCount(), 0);
    EXPECT_EQ(editor.grid().snapshotRows(), 0);
    EXPECT_EQ(editor.grid().current(), (CellPosition{0, 0}));

    // Yes saves and stays open; once saved, the next close asks nothing.
    openTransit();
    editor.grid().setModified(true);
    scripted.messages.answerNext(true);
    scripted.dialogs.chooseNext(folder.file(QStringLiteral("kept.csv")));
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::StaysOpen);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0],
              (test::ShownMessage{test::ShownMessage::Ask,
                                  QStringLiteral("データが変更されています．保存しますか？"),
                                  QStringLiteral("データの保存")}));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("kept.csv"))));
    EXPECT_EQ(editor.grid().journalRowCount(), 3);
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);
    EXPECT_EQ(scripted.messages.shown.size(), 1u);

    // No closes without saving.
    openTransit();
    editor.grid().setModified(true);
    scripted.messages.answerNext(false);
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);
    EXPECT_EQ(editor.grid().journalRowCount(), 0);
    EXPECT_EQ(scripted.dialogs.presetNames.size(), 1);
}

} // namespace
} // namespace mokpe::journal
