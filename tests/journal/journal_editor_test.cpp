#include "journal/journal_editor.h"

#include "journal/journal_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>

#include <algorithm>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::fileBytes;
using test::ShownMessage;
using test::writeBytes;

const QString kHeadingLine = QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要");
const QString kRoute = QStringLiteral(",入,ＪＲ東,新宿,出,ＪＲ東,渋谷,");

struct JournalEditorTest : ::testing::Test {
    test::TempFolder folder;
    test::ScriptedServices scripted;
    AppState state;
    JournalGrid grid;
    JournalEditor editor{state, grid, {scripted.messages, scripted.dialogs}};

    JournalEditorTest()
    {
        state.settings.formatChoice = QStringLiteral("0");
        state.settings.unsettledAccount = {"000", "0000", QStringLiteral("電子未決")};
        state.settings.emoneyNameCopy = QStringLiteral("電子マネー");
        state.history.sourcePath = folder.file(QStringLiteral("card.csv"));
        state.history.sourceName = QStringLiteral("card.csv");
    }
    void open(int kind, const QStringList &lines)
    {
        state.history.cardKind = kind;
        state.history.lines = lines + QStringList{QString()};
        state.history.lastLineIndex = static_cast<int>(lines.size()) - 1;
        editor.startUp();
    }
    // Balances 1000 (newest), 1200, 1500 (the oldest, to be settled).
    void openTransit()
    {
        open(TransitCard, {QStringLiteral("利用年月日"), "2008/07/21" + kRoute + "1000,",
                           "2008/07/20" + kRoute + "1200,", "2008/07/19" + kRoute + "1500,"});
    }
    // Five complete journal rows.
    void openFive()
    {
        QStringList lines{kHeadingLine};
        for (int r = 1; r <= 5; ++r)
            lines.append(QStringLiteral("%1,2008/07/1%1,旅費交通,10%1,電子マネー,10%1,s").arg(r));
        open(JournalFile, lines);
    }
    QStringList told() const
    {
        QStringList texts;
        for (const ShownMessage &m : scripted.messages.shown)
            texts.append(m.text);
        return texts;
    }
};

TEST_F(JournalEditorTest, StartUpTakesTheSnapshotOfTheRowsInUse)
{
    openTransit();
    EXPECT_EQ(editor.caption(), QStringLiteral("編集：　") + folder.file(QStringLiteral("card.csv")));
    EXPECT_EQ(grid.journalRowCount(), 3);
    // 200 and 300 spent; the unsettled balance counts as spending too.
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-2,000"));
    EXPECT_FALSE(grid.modified());
    EXPECT_EQ(grid.snapshotRows(), 4);
    EXPECT_EQ(grid.snapshotRowCount(), 3);

    // Undo right after start-up restores the journal as loaded, last row included.
    std::vector<RowTexts> rows;
    for (int r = 0; r <= 3; ++r)
        rows.push_back(grid.rowTexts(r));
    grid.setText(3, SummaryColumn, QStringLiteral("changed"));
    grid.setText(4, DateColumn, QStringLiteral("2008/07/18"));
    grid.restoreSnapshot(kMinimumRowTotal);
    for (int r = 0; r <= 3; ++r)
        EXPECT_EQ(grid.rowTexts(r), rows[static_cast<size_t>(r)]) << r;
    EXPECT_EQ(grid.rowTexts(4), RowTexts{});
}

TEST_F(JournalEditorTest, EmptyTransitHistorySettlesToZero)
{
    open(TransitCard, {QStringLiteral("利用年月日")});
    EXPECT_EQ(grid.journalRowCount(), 0);
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　0"));
}

TEST_F(JournalEditorTest, AccountListNamesTheAccounts)
{
    // The name is what follows the second comma, whatever the length of the
    // 4-digit code: the editor saves a blank one, and takes any length.
    state.accounts.lines = {"000,0000,電子未決残", "111,1111,電子マネー",   "842,,旅費交通費",
                            "843,847,会議費",      "8441,84712,通信費",     "845,8461,名前に,コンマ",
                            "12345仮払金",         "333,3333,past the last"};
    state.accounts.lastIndex = 6;
    EXPECT_EQ(editor.accountList(), (QStringList{"電子未決", "電子マネー", "旅費交通費", "会議費", "通信費",
                                                 "名前に,コンマ", "仮払金"}));
}

TEST_F(JournalEditorTest, BalanceCellsAreSettledWhereTheyAre)
{
    openTransit();
    EXPECT_FALSE(editor.enterBalanceCell());
    editor.setCurrentCell(3, DebitAmountColumn);
    ASSERT_TRUE(editor.enterBalanceCell());
    EXPECT_EQ(editor.pendingCell().row + ':' + editor.pendingCell().column + ':' + editor.pendingCell().value,
              QStringLiteral("3:3:1500"));

    // The user moved on to the other red cell before confirming.
    editor.setCurrentCell(3, CreditAmountColumn);
    editor.settlePendingCell(QStringLiteral("320"));
    EXPECT_EQ(grid.text(3, DebitAmountColumn), QStringLiteral("320"));
    EXPECT_EQ(grid.colour(3, DebitAmountColumn), CellColour::White);
    EXPECT_EQ(grid.colour(3, CreditAmountColumn), CellColour::Balance);
    // An entered amount is a change; the label waits for "再計算".
    EXPECT_TRUE(grid.modified());
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-2,000"));
    editor.Fm2_TotalShow();
    EXPECT_EQ(editor.settlementLabel(), QStringLiteral("精算金額：　　　-820"));

    EXPECT_FALSE(editor.Fm2_BalanceCellCheck());
    EXPECT_EQ(told(), QStringList{QStringLiteral("3行目：「　金額　」列が使用金額ではない可能性有ります．")});
    EXPECT_EQ(grid.current(), (CellPosition{3, CreditAmountColumn}));
    ASSERT_TRUE(editor.enterBalanceCell());
    editor.settlePendingCell(QStringLiteral("320"));
    EXPECT_TRUE(editor.Fm2_BalanceCellCheck());
}

TEST_F(JournalEditorTest, ChecksNameTheirRows)
{
    openFive();
    grid.setText(2, CreditAmountColumn, QString());
    grid.setText(5, CreditAmountColumn, QString());
    EXPECT_FALSE(editor.Fm2_RowCountCheck());
    EXPECT_FALSE(editor.Fm2_BlankCheck());
    EXPECT_EQ(told(), (QStringList{QStringLiteral("No. 5 行目 : 日付か金額欄に空欄行を検出しました．"),
                                   QStringLiteral("2行目：「　日付　」か「　金額　」列に空欄が有ります．")}));

    // The count becomes the leading rows with a number; the scan ends at the
    // grid's last row.
    grid.setText(2, CreditAmountColumn, QStringLiteral("1"));
    grid.setText(4, NumberColumn, QString());
    EXPECT_TRUE(editor.Fm2_RowCountCheck());
    EXPECT_EQ(grid.journalRowCount(), 3);
    grid.setText(4, NumberColumn, QStringLiteral("4"));
    grid.setText(5, CreditAmountColumn, QStringLiteral("1"));
    grid.setRowTotal(6);
    EXPECT_TRUE(editor.Fm2_RowCountCheck());
    EXPECT_EQ(grid.journalRowCount(), 5);
    EXPECT_EQ(told().size(), 2);
}

TEST_F(JournalEditorTest, SaveRefusesBeforeTheDialog)
{
    openFive();
    grid.setText(4, DateColumn, QString());
    EXPECT_FALSE(editor.saveCommand());
    grid.setText(4, DateColumn, QStringLiteral("2008/07/14"));
    grid.setText(4, CreditAccountColumn, QStringLiteral("普通預金,三井"));
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(told(),
              (QStringList{QStringLiteral("No. 4 行目 : 日付か金額欄に空欄行を検出しました．"),
                           QStringLiteral("No. 4 行目 : 「貸方科目」欄に「,」があるため保存できません．"
                                          "「,」を取り除いて下さい．")}));
    EXPECT_TRUE(scripted.dialogs.filters.isEmpty());
}

TEST_F(JournalEditorTest, SaveAsksBeforeReplacingAFile)
{
    openTransit();
    grid.setModified(true);
    const QString path = folder.file(QStringLiteral("saved.csv"));
    writeBytes(path, "old contents, longer than nothing\r\n");

    scripted.dialogs.chooseNext(path);
    scripted.messages.answerNext(false);
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(scripted.dialogs.filters, QStringList{QStringLiteral("CSVファイル (*.csv)")});
    EXPECT_EQ(scripted.dialogs.presetNames, QStringList{QStringLiteral("card_仕訳.csv")});
    // Beside the history until a journal has been saved somewhere.
    EXPECT_EQ(scripted.dialogs.requests[0].kind, platform::FileKind::Journal);
    EXPECT_EQ(scripted.dialogs.requests[0].fallbackFolder, QDir(folder.path()).absolutePath());
    EXPECT_EQ(scripted.messages.shown,
              (std::vector<ShownMessage>{{ShownMessage::Ask,
                                          QStringLiteral("同じファイル名があります．上書きしますか？"),
                                          QStringLiteral("ファイルの上書き")}}));
    EXPECT_EQ(fileBytes(path), QByteArray("old contents, longer than nothing\r\n"));
    EXPECT_TRUE(grid.modified());

    scripted.dialogs.chooseNext(path);
    scripted.messages.answerNext(true);
    EXPECT_TRUE(editor.saveCommand());
    EXPECT_TRUE(fileBytes(path).startsWith("No.,"));
    EXPECT_EQ(state.history.sourceName, QStringLiteral("saved.csv"));
    EXPECT_FALSE(grid.modified());

    // A cancelled dialog writes nothing and says nothing.
    grid.setModified(true);
    scripted.dialogs.cancelNext();
    EXPECT_FALSE(editor.saveCommand());
    EXPECT_EQ(scripted.dialogs.presetNames.last(), QStringLiteral("saved.csv"));
    EXPECT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_TRUE(grid.modified());
}

// The save dialog offers a name the save accepts: never the history itself.
TEST_F(JournalEditorTest, SaveOffersANameItAccepts)
{
    const struct {
        int kind;
        const char *read;
        // The name saved under since, if any.
        const char *saved;
        const char *offered;
    } cases[] = {
        {TransitCard, "card.csv", nullptr, "card_仕訳.csv"},
        {Edy, "edy.txt", nullptr, "edy_仕訳.csv"},
        {MoneyReport, "2024.05.money.csv", nullptr, "2024.05.money_仕訳.csv"},
        {TransitCard, "card", nullptr, "card_仕訳.csv"},
        // Saved once: saved over from then on.
        {TransitCard, "card.csv", "経費.csv", "経費.csv"},
        // A journal file is offered itself.
        {JournalFile, "journal.csv", nullptr, "journal.csv"},
    };
    for (const auto &c : cases) {
        state.history.cardKind = c.kind;
        state.history.sourcePath = folder.file(QString::fromUtf8(c.read));
        state.history.sourceName = QString::fromUtf8(c.saved ? c.saved : c.read);
        EXPECT_EQ(editor.journalSaveName(), QString::fromUtf8(c.offered)) << c.read;
    }
}

TEST_F(JournalEditorTest, SaveToAGivenFileRefusesAsTheDialogsWayAndNeverAsks)
{
    state.programFolder = folder.file(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkdir(state.programFolder));
    writeBytes(folder.file(QStringLiteral("card.csv")), "利用年月日\r\n");
    const QString comma = QStringLiteral("普通預金,三井");
    const struct {
        const char *name;
        const char *target;
        // Written there before the save.
        QByteArray existing;
        QString creditAccountOfRow1;
        // Empty when the journal is written.
        QString told;
    } cases[] = {
        {"NewFile", "new.csv", {}, {}, {}},
        {"ReplacesAFile", "saved.csv", "old\r\n", {}, {}},
        {"OntoTheHistory",
         "card.csv",
         {},
         {},
         QStringLiteral("ファイル「%1」は読み込んだファイルのため，出力先にできません．\r\n"
                        "別のファイル名を指定して下さい．")
             .arg(QDir::toNativeSeparators(folder.file(QStringLiteral("card.csv"))))},
        {"OntoTheSettings",
         "program/inifile.ini",
         {},
         {},
         QStringLiteral("ファイル「%1」はモコペ！が使うファイルのため，出力先にできません．\r\n"
                        "別のファイル名を指定して下さい．")
             .arg(QDir::toNativeSeparators(folder.file(QStringLiteral("program/inifile.ini"))))},
        // Told before the target is looked at.
        {"CommaInAnAccount",
         "card.csv",
         {},
         comma,
         QStringLiteral(
             "No. 1 行目 : 「貸方科目」欄に「,」があるため保存できません．「,」を取り除いて下さい．")},
    };
    for (const auto &c : cases) {
        const QString target = folder.file(QString::fromUtf8(c.target));
        const bool written = c.told.isEmpty();
        // The command's way with the file given, then the window's with the
        // same file chosen in the dialog and the question answered Yes.
        for (const bool dialog : {false, true}) {
            QFile::remove(folder.file(QStringLiteral("new.csv")));
            if (!c.existing.isEmpty())
                writeBytes(target, c.existing);
            state.history.sourceName = QStringLiteral("card.csv");
            openTransit();
            if (!c.creditAccountOfRow1.isEmpty())
                grid.setText(1, CreditAccountColumn, c.creditAccountOfRow1);
            grid.setModified(true);
            scripted.messages.shown.clear();
            // The comma is told before the dialog opens.
            if (dialog && c.creditAccountOfRow1.isEmpty()) {
                scripted.dialogs.chooseNext(target);
                if (QFileInfo::exists(target) && written)
                    scripted.messages.answerNext(true);
            }
            EXPECT_EQ(dialog ? editor.saveCommand() : editor.saveCommand(target), written)
                << c.name << dialog;
            QStringList told;
            for (const ShownMessage &m : scripted.messages.shown) {
                if (m.kind == ShownMessage::Inform)
                    told.append(m.text);
            }
            EXPECT_EQ(told, written ? QStringList() : QStringList{c.told}) << c.name << dialog;
            const bool asked = std::any_of(scripted.messages.shown.begin(), scripted.messages.shown.end(),
                                           [](const ShownMessage &m) { return m.kind == ShownMessage::Ask; });
            EXPECT_EQ(asked, dialog && !c.existing.isEmpty()) << c.name << dialog;
            if (written) {
                EXPECT_TRUE(fileBytes(target).startsWith("No.,")) << c.name << dialog;
            }
            EXPECT_EQ(grid.modified(), !written) << c.name << dialog;
        }
    }
}

TEST_F(JournalEditorTest, FailedSaveIsToldAndKeepsTheFlag)
{
    openTransit();
    grid.setModified(true);
    const QString target = folder.file(QStringLiteral("a folder.csv"));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("a folder.csv")));
    EXPECT_FALSE(editor.saveJournalTo(target));
    ASSERT_EQ(told().size(), 1);
    EXPECT_TRUE(told()[0].startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．\r\n").arg(QDir::toNativeSeparators(target))));
    EXPECT_TRUE(grid.modified());
    EXPECT_EQ(state.history.sourceName, QStringLiteral("card.csv"));
    EXPECT_TRUE(QFileInfo(target).isDir());
}

TEST_F(JournalEditorTest, CloseAsksOnlyAfterAnEdit)
{
    openTransit();
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(grid.journalRowCount(), 0);
    EXPECT_EQ(grid.snapshotRows(), 0);
    EXPECT_EQ(grid.current(), (CellPosition{0, 0}));

    // Yes saves and stays open; once saved, closing asks nothing.
    openTransit();
    grid.setModified(true);
    scripted.messages.answerNext(true);
    scripted.dialogs.chooseNext(folder.file(QStringLiteral("kept.csv")));
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::StaysOpen);
    EXPECT_EQ(scripted.messages.shown,
              (std::vector<ShownMessage>{{ShownMessage::AskOrCancel,
                                          QStringLiteral("データが変更されています．保存しますか？"),
                                          QStringLiteral("データの保存")}}));
    EXPECT_TRUE(QFile::exists(folder.file(QStringLiteral("kept.csv"))));
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);

    // キャンセル (Esc, the question's close box) keeps the editor and its edits.
    openTransit();
    grid.setText(1, SummaryColumn, QStringLiteral("打合せ"));
    grid.setModified(true);
    scripted.messages.cancelNext();
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::StaysOpen);
    EXPECT_EQ(grid.journalRowCount(), 3);
    EXPECT_EQ(grid.text(1, SummaryColumn), QStringLiteral("打合せ"));
    EXPECT_TRUE(grid.modified());

    // No closes without saving.
    openTransit();
    grid.setModified(true);
    scripted.messages.answerNext(false);
    EXPECT_EQ(editor.closeCommand(), JournalEditor::CloseOutcome::Closed);
    EXPECT_EQ(grid.journalRowCount(), 0);
    EXPECT_EQ(scripted.dialogs.presetNames.size(), 1);
}

} // namespace
} // namespace mokpe::journal
