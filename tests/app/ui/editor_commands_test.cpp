// "ＣＳＶ出力" of the journal editor, wired by the main window: the journal checks
// first, then the export dialog in the editor's place and back again.
#include "app/ui/main_window.h"
#include "journal/ui/journal_editor_window.h"
#include "journal/unsettled_amount.h"
#include "output/ui/export_dialog.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

using test::cp932;
using test::writeBytes;

struct EditorCommandsTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedServices fakes;
    std::unique_ptr<MainWindow> main;

    EditorCommandsTest()
    {
        state.programFolder = folder.path();
        writeBytes(folder.file(QStringLiteral("inifile.ini")),
                   "1\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n186\r\n1882\r\n" +
                       cp932(QStringLiteral("電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));
        writeBytes(
            folder.file(QStringLiteral("kamoku_code.csv")),
            cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n")));
        writeBytes(folder.file(QStringLiteral("person.csv")), "A\r\n");
        main = std::make_unique<MainWindow>(state, fakes.services());
        main->load();
        main->show();
        const QString card = folder.file(QStringLiteral("card.csv"));
        writeBytes(card, cp932(QStringLiteral(
                             "カードID=JE01\r\n利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n"
                             "2008/07/21,入場,JR東,新宿,出場,JR東,渋谷,1000,\r\n"
                             "2008/07/19,入場,JR東,東京,出場,JR東,新宿,1500,\r\n")));
        fakes.dialogs.chooseNext(card);
        main->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    }
    ~EditorCommandsTest() override { main.reset(); }
    journal::JournalEditorWindow *editor() const { return main->journalEditor(); }
    QPushButton *editorButton(const char *name) const
    {
        return editor()->findChild<QPushButton *>(QLatin1String(name));
    }
};

TEST_F(EditorCommandsTest, ExportOpensOnlyAfterTheJournalChecksAndGivesTheEditorBack)
{
    ASSERT_NE(editor(), nullptr);
    if (auto *dialog = editor()->findChild<QWidget *>(QStringLiteral("Form4")))
        dialog->close();
    QPushButton *exportButton = editorButton("Command7");
    ASSERT_TRUE(exportButton->isEnabled());

    // The oldest row still holds the card balance: the balance check stops the hand-over.
    fakes.messages.shown.clear();
    exportButton->click();
    EXPECT_EQ(fakes.messages.texts(),
              QStringList{QStringLiteral("2行目：「　金額　」列が使用金額ではない可能性有ります．")});
    EXPECT_EQ(main->exportDialog(), nullptr);
    EXPECT_TRUE(editor()->isVisible());

    main->journal().setCurrent({2, 3});
    editor()->editor().setCurrentCell(2, 3);
    ASSERT_TRUE(editor()->editor().enterBalanceCell());
    editor()->editor().settlePendingCell(QStringLiteral("210"));
    editor()->editor().setCurrentCell(2, 5);
    ASSERT_TRUE(editor()->editor().enterBalanceCell());
    editor()->editor().settlePendingCell(QStringLiteral("210"));

    fakes.messages.shown.clear();
    exportButton->click();
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join('|').toStdString();
    output::ExportDialog *dialog = main->exportDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(editor()->isVisible());

    // An export written books the journal's read and says what went where.
    const QString store = folder.file(QStringLiteral("card_reads_JE01.csv"));
    EXPECT_FALSE(QFile::exists(store));
    test::TempFolder exports;
    const QString out = exports.file(QStringLiteral("out.csv"));
    fakes.dialogs.chooseNext(out);
    dialog->findChild<QRadioButton *>(QStringLiteral("Option1"))->click();
    dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join('|').toStdString();
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_TRUE(QFile::exists(store));
    EXPECT_EQ(dialog->findChild<QLabel *>(QStringLiteral("StatusLine"))->text(),
              QStringLiteral("「%1」に2行を書き出しました．").arg(QDir::toNativeSeparators(out)));

    dialog->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(editor()->isVisible());

    // The dialog lives on for the next hand-over.
    exportButton->click();
    EXPECT_EQ(main->exportDialog(), dialog);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(EditorCommandsTest, SettlementPrintIsRefusedWithoutAUsablePrinter)
{
    ASSERT_NE(editor(), nullptr);
    if (auto *dialog = editor()->findChild<QWidget *>(QStringLiteral("Form4")))
        dialog->close();
    QPushButton *printButton = editorButton("Command8");
    ASSERT_TRUE(printButton->isEnabled());
    const struct {
        QStringList printers;
    } cases[] = {{{}}, {{QStringLiteral("office"), QStringLiteral("Microsoft Print to PDF")}}};
    for (const auto &c : cases) {
        fakes.printers.names = c.printers;
        fakes.messages.shown.clear();
        // The message offers the report as a PDF instead; the user declines.
        fakes.messages.answerNext(false);
        printButton->click();
        EXPECT_EQ(fakes.messages.texts(),
                  QStringList{QStringLiteral("使用可能なプリンタが存在しません．\r\n"
                                             "印刷機能はプリンタを準備した後に可能となります．")});
        EXPECT_EQ(fakes.messages.shown.back().kind, test::ShownMessage::Offer);
        EXPECT_EQ(fakes.messages.offeredActions.back(), QStringLiteral("PDFで保存"));
        EXPECT_TRUE(fakes.printers.jobs.empty());
    }
}

} // namespace
} // namespace mokpe::ui
