// Consecutive reads through the windows: the main window's choice
// "前回の読込みと照合する", the editor's notice, and the previous balance the
// unsettled-amount dialog offers after a gap.
#include "app/ui/main_window.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_editor_window.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLockFile>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kStore = QStringLiteral("card_reads_JE01.csv");
const QString kHeader = QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n");
const QString kAllBooked = QStringLiteral(
    "このファイルの取引は，すべて前回までに読み込み済みです．\r\n新しく仕訳する取引はありません．"
    "\r\nもう一度仕訳する場合は，「前回の読込みと照合する」のチェックを外して読み込んで下さい．");

// Days `newest` down to `oldest` of May 2024 on card JE01, 100 yen a day
// from 5000 yen; without the card ID when `id` is empty. A read store holds
// the same text.
QString history(int newest, int oldest, const QString &id = QStringLiteral("JE01"))
{
    QString text =
        (id.isEmpty() ? QString() : QStringLiteral("カードID=") + id + QStringLiteral("\r\n")) + kHeader;
    for (int day = newest; day >= oldest; --day)
        text += QStringLiteral("2024/05/%1,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,%2,\r\n")
                    .arg(day, 2, 10, QLatin1Char('0'))
                    .arg(5000 - 100 * day);
    return text;
}

struct PreviousReadWindowTest : ::testing::Test {
    test::TempFolder folder;
    test::TempFolder cards;
    AppState state;
    test::ScriptedServices fakes;
    std::unique_ptr<ui::MainWindow> main;
    QPointer<JournalEditorWindow> editor;

    PreviousReadWindowTest()
    {
        state.programFolder = folder.path();
        writeBytes(folder.file(QStringLiteral("inifile.ini")),
                   "0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n186\r\n1882\r\n" +
                       cp932(QStringLiteral("電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));
        writeBytes(folder.file(QStringLiteral("kamoku_code.csv")),
                   cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n"
                                        "854,8641,運賃\r\n")));
        writeBytes(folder.file(QStringLiteral("person.csv")), cp932(QStringLiteral("山田太郎\r\n")));
    }
    ~PreviousReadWindowTest() override
    {
        delete editor.data();
        main.reset();
        EXPECT_EQ(fakes.messages.unexpectedQuestions, 0);
    }
    void start()
    {
        main = std::make_unique<ui::MainWindow>(state, fakes.services());
        main->load();
        main->show();
    }
    QCheckBox *matchBox() const { return main->findChild<QCheckBox *>(QStringLiteral("Check1")); }
    // "会計CSVファイル読込み" on a card file holding `text`; the editor, if
    // one opened.
    JournalEditorWindow *read(const QString &text)
    {
        const QString path = cards.file(QStringLiteral("suica.csv"));
        writeBytes(path, cp932(text));
        fakes.dialogs.chooseNext(path);
        main->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        editor = main->journalEditor();
        return editor.data();
    }
    void import(const QString &text) { ASSERT_NE(read(text), nullptr); }
    // "保　存" into a new file of its own.
    void save()
    {
        fakes.dialogs.chooseNext(cards.file(QStringLiteral("journal%1.csv").arg(++saves)));
        editor->findChild<QPushButton *>(QStringLiteral("Command6"))->click();
    }
    int saves = 0;
    void close()
    {
        editor->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        ASSERT_TRUE(QTest::qWaitFor([this] { return editor.isNull(); }, 2000));
    }
    QLabel *notice() const { return editor->findChild<QLabel *>(QStringLiteral("Label5")); }
    int rows() const { return main->journal().journalRowCount(); }
};

TEST_F(PreviousReadWindowTest, ChoiceIsOnOnceAStoreExistsAndTheUserHasTheLastWord)
{
    start();
    ASSERT_NE(matchBox(), nullptr);
    EXPECT_EQ(matchBox()->text(), QStringLiteral("前回の読込みと照合する"));
    EXPECT_FALSE(matchBox()->isChecked());

    // The first read: nothing to compare with, the box off, everything
    // journaled. Closed unsaved, it books nothing: read again, it is all there.
    import(history(20, 1));
    EXPECT_EQ(rows(), 20);
    EXPECT_FALSE(notice()->isVisible());
    close();
    EXPECT_FALSE(matchBox()->isChecked());
    import(history(20, 1));
    EXPECT_EQ(rows(), 20);
    EXPECT_TRUE(fakes.messages.shown.empty());

    // Saved, it is booked: the box comes on.
    save();
    close();
    EXPECT_TRUE(matchBox()->isChecked());
    EXPECT_TRUE(state.matchPreviousRead);

    // The same file again: told, with the way to journal it anyway, and no
    // editor opens; the main window stays, with nothing over it.
    JournalEditorWindow *none = read(history(20, 1));
    EXPECT_TRUE(none == nullptr || !none->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([this] { return main->journalEditor() == nullptr; }, 2000));
    EXPECT_EQ(fakes.messages.texts(), QStringList{kAllBooked});
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 2000));

    // Turned off by the user it stays off, and the journal is built whole.
    matchBox()->click();
    import(history(22, 3));
    EXPECT_EQ(rows(), 20);
    EXPECT_FALSE(notice()->isVisible());
    save();
    close();
    EXPECT_FALSE(matchBox()->isChecked());

    // A new start finds the store and turns the box on.
    main.reset();
    start();
    EXPECT_TRUE(matchBox()->isChecked());
    import(history(23, 4));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(notice()->text(), QStringLiteral("前回の読込みと照合：読込み済みの19行を除きました．"));
    EXPECT_NE(notice()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(main->journal().text(1, DebitAmountColumn), QStringLiteral("100"));
    EXPECT_EQ(main->journal().colour(1, DebitAmountColumn), CellColour::White);
}

TEST_F(PreviousReadWindowTest, GapNoticeAndTheStoredBalanceOffered)
{
    writeBytes(folder.file(kStore), cp932(history(10, 1)));
    start();
    ASSERT_TRUE(matchBox()->isChecked());
    import(history(20, 13));
    EXPECT_EQ(notice()->text(),
              QStringLiteral("前回の読込みと照合：読込み済みの0行を除きました．\n"
                             "前回の読込み（2024/05/10）と今回の読込み（2024/05/13）が重なりません．"
                             "2024/05/10から2024/05/13までの間の取引が欠けている可能性があります．"));
    EXPECT_EQ(notice()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(main->journal().colour(8, DebitAmountColumn), CellColour::Balance);

    // The dialog opens in computed mode on the stored newest balance, for
    // each of the row's two balance cells.
    for (const int column : {DebitAmountColumn, CreditAmountColumn}) {
        editor->grid()->setCurrentGridCell(8, column);
        UnsettledAmountDialog *dialog = editor->unsettledAmountDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->findChild<QRadioButton *>(QStringLiteral("Option2"))->isChecked());
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("Text2"))->text(), QStringLiteral("4000"));
        EXPECT_EQ(dialog->findChild<QLineEdit *>(QStringLiteral("Text1"))->text(), QStringLiteral("3700"));
        dialog->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
        dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        EXPECT_TRUE(QTest::qWaitFor([this] { return editor->unsettledAmountDialog() == nullptr; }, 2000));
        EXPECT_EQ(main->journal().text(8, column), QStringLiteral("300"));
        EXPECT_EQ(main->journal().colour(8, column), CellColour::White);
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// An older history read after a newer one: what the store holds is left out,
// the rest is booked, the notice says so, and the store takes the older lines.
TEST_F(PreviousReadWindowTest, OlderReadBooksOnlyWhatTheStoreDoesNotHold)
{
    writeBytes(folder.file(kStore), cp932(history(30, 11)));
    start();
    ASSERT_TRUE(matchBox()->isChecked());
    import(history(20, 1));
    EXPECT_EQ(rows(), 10);
    EXPECT_EQ(main->journal().text(1, DateColumn), QStringLiteral("2024/05/10"));
    EXPECT_EQ(main->journal().text(1, DebitAmountColumn), QStringLiteral("100"));
    EXPECT_EQ(main->journal().text(10, DateColumn), QStringLiteral("2024/05/01"));
    EXPECT_EQ(notice()->text(),
              QStringLiteral("今回の読込み（2024/05/20まで）は，前回の読込み（2024/05/30まで）より前の"
                             "ものです．読込み済みの10行を除き，記録に無い取引だけを仕訳しました．"));
    save();
    EXPECT_EQ(fileBytes(folder.file(kStore)), cp932(history(30, 1)));
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// Another program in the middle of its read of the same card: told, and no
// journal is opened on a store that is about to change.
TEST_F(PreviousReadWindowTest, AnotherProgramReadingTheCardIsToldAndNothingOpens)
{
    const QString store = folder.file(kStore);
    writeBytes(store, cp932(history(10, 1)));
    QLockFile other(store + QStringLiteral(".lock"));
    ASSERT_TRUE(other.tryLock());
    start();
    const QString path = cards.file(QStringLiteral("suica.csv"));
    writeBytes(path, cp932(history(20, 5)));
    fakes.dialogs.chooseNext(path);
    main->findChild<QPushButton *>(QStringLiteral("Command1"))->click();

    EXPECT_EQ(fakes.messages.texts(),
              QStringList{QStringLiteral("前回の読込み記録「%1」は，別のモコペ！が使用中です．\r\n"
                                         "しばらく待ってから，もう一度読み込んで下さい．")
                              .arg(QDir::toNativeSeparators(store))});
    EXPECT_TRUE(QTest::qWaitFor([this] { return main->isVisible(); }, 2000));
    editor = main->journalEditor();
    EXPECT_TRUE(editor.isNull() || !editor->isVisible());
    EXPECT_EQ(fileBytes(store), cp932(history(10, 1)));
}

// A history without a card ID is compared with the chosen user's reads; with
// no user chosen, it is not, and the notice says so in red.
TEST_F(PreviousReadWindowTest, AHistoryWithoutCardIdIsComparedOnlyForTheChosenUser)
{
    writeBytes(folder.file(QStringLiteral("user_reads__5c71_7530_592a_90ce.csv")),
               cp932(QStringLiteral("カードID=\r\n") + history(10, 1, QString())));
    start();
    ASSERT_TRUE(matchBox()->isChecked());
    import(history(12, 1, QString()));
    EXPECT_EQ(rows(), 12);
    EXPECT_EQ(notice()->text(), kNoUserNotice);
    EXPECT_EQ(notice()->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    close();

    main->findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(1);
    import(history(12, 1, QString()));
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(notice()->text(), QStringLiteral("前回の読込みと照合：読込み済みの10行を除きました．"));
}

} // namespace
} // namespace mokpe::journal
