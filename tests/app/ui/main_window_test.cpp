#include "app/ui/main_window.h"

#include "app/ui/font_setup.h"
#include "common/colour_value.h"
#include "common/ui/floating_cell_grid.h"
#include "maintenance/ui/account_code_editor.h"
#include "maintenance/ui/colour_dialog.h"
#include "maintenance/ui/user_editor.h"
#include "platform/desktop_shortcut.h"
#include "settings/program_files.h"
#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace mokpe::ui {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kNoSettingsMessage =
    QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．");
const QString kNoUsersMessage =
    QStringLiteral("使用者設定ファイル(person.csv)がありません．\r\n"
                   "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．");
const QString kNoAccountsMessage =
    QStringLiteral("科目種類の設定は，\r\n\r\n"
                   "「メンテナンス」→「科目コード設定」→「初回読込み」欄より\r\n\r\n"
                   "選択して下さい．");
const QString kImportRefused =
    QStringLiteral("科目種類の選択は，\r\n\r\n"
                   "「メンテナンス」→「科目コード設定」→「初回読込み」欄より\r\n\r\n"
                   "選択して下さい．");

// Lines of an account table saved from the Ｗ set (four marker lines) and from the 楓林 set (none).
const QByteArray kWTable =
    cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n"
                         "854,8641,運賃\r\n837,8451,福利厚生費\r\n"));
const QByteArray kKaiTable =
    cp932(QStringLiteral("186,1800,仕訳未決定\r\n113,1412,仮払金\r\n842,8410,旅費交通費\r\n"
                         "854,8421,運賃\r\n"));

QByteArray settingsWithFormat(const QByteArray &formatChoice)
{
    return formatChoice +
           "\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n"
           "186\r\n1882\r\n" +
           cp932(QStringLiteral("電子未決\r\n113\r\n1131\r\n電子マネー\r\n"));
}

struct MainWindowTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedServices fakes;
    std::unique_ptr<MainWindow> window;

    MainWindowTest() { state.programFolder = folder.path(); }

    void load()
    {
        window = std::make_unique<MainWindow>(state, fakes.services());
        window->load();
        window->show();
    }
    template <typename T = QPushButton> T *control(const char *name)
    {
        T *c = window->findChild<T *>(QLatin1String(name));
        if (!c)
            ADD_FAILURE() << "no control " << name;
        return c;
    }
    QString file(const char *name) const { return folder.file(QLatin1String(name)); }
    QStringList listEntries()
    {
        QStringList entries;
        auto *list = control<QListWidget>("List1");
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->item(i)->text());
        return entries;
    }
    void select(int row)
    {
        auto *list = control<QListWidget>("List1");
        list->setCurrentRow(row);
    }
};

TEST_F(MainWindowTest, FirstStartShowsEachMissingFileMessageOnceInOrder)
{
    load();
    EXPECT_EQ(fakes.messages.texts(), (QStringList{kNoSettingsMessage, kNoUsersMessage, kNoAccountsMessage}));
    EXPECT_EQ(state.codeSystemState, -1);
    EXPECT_FALSE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(control<QLabel>("Label1")->text(), QStringLiteral("モコペ！\nバージョン：Ver.081030-00"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("モコペ！"));
    EXPECT_EQ(fileBytes(file("inifile.ini")).count("\r\n"), 15);
    // The user table is 12 empty entries; the list shows those up to the last user index.
    EXPECT_EQ(listEntries().first(), QStringLiteral("-- 選択なし --"));
    EXPECT_EQ(control<QListWidget>("List1")->currentRow(), 0);

    // With no code system chosen the import refuses before any dialog.
    control("Command1")->click();
    EXPECT_EQ(fakes.messages.texts().last(), kImportRefused);
    EXPECT_TRUE(fakes.dialogs.filters.isEmpty());
}

TEST_F(MainWindowTest, StartWithAllFilesShowsNoMessageAndTheWCodeSystem)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), cp932(QStringLiteral("山田太郎\r\n経理,佐藤\r\n鈴木\r\n")));
    load();
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join(u'|').toStdString();
    EXPECT_EQ(state.codeSystemState, 1);
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("Option1")->isEnabled());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isEnabled());
    EXPECT_EQ(listEntries(), (QStringList{QStringLiteral("-- 選択なし --"), QStringLiteral("山田太郎"),
                                          QStringLiteral("経理,佐藤"), QStringLiteral("鈴木")}));
}

TEST_F(MainWindowTest, ChoosingAUserSetsTheSummaryPrefixAndTheCaption)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), cp932(QStringLiteral("山田太郎\r\n経理,佐藤\r\n")));
    load();
    select(2);
    EXPECT_EQ(state.summaryPrefix, QStringLiteral("No.2: 経理,佐藤，"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("使用者：　No.2: 経理,佐藤，"));
    select(0);
    EXPECT_TRUE(state.summaryPrefix.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("使用者：　"));
}

TEST_F(MainWindowTest, FormatChoiceFixesTheCodeSystemAtStartUp)
{
    struct Case {
        QByteArray formatChoice;
        QByteArray table;
        qint16 state;
        const char *checked;
    };
    const Case cases[] = {
        {"2", kKaiTable, 1, "Option1"}, {"1", kKaiTable, 1, "Option1"}, {"3", kWTable, 0, "Option2"},
        {"4", kWTable, 0, "Option2"},   {"0", kKaiTable, 0, "Option2"}, {"7", kWTable, 1, "Option1"},
        {"x", kKaiTable, 0, "Option2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.formatChoice.toStdString());
        test::TempFolder caseFolder;
        AppState caseState;
        caseState.programFolder = caseFolder.path();
        writeBytes(caseFolder.file(QStringLiteral("inifile.ini")), settingsWithFormat(c.formatChoice));
        writeBytes(caseFolder.file(QStringLiteral("kamoku_code.csv")), c.table);
        writeBytes(caseFolder.file(QStringLiteral("person.csv")), "A\r\n");
        test::ScriptedServices caseFakes;
        MainWindow w(caseState, caseFakes.services());
        w.load();
        EXPECT_EQ(caseState.codeSystemState, c.state);
        EXPECT_TRUE(w.findChild<QRadioButton *>(QLatin1String(c.checked))->isChecked());
        EXPECT_EQ(w.findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked() +
                      w.findChild<QRadioButton *>(QStringLiteral("Option2"))->isChecked(),
                  1);
    }
}

TEST_F(MainWindowTest, TrailingBlankLinesKeepTheTableAndAMalformedOneIsSetAsideWithItsName)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("person.csv"), "A\r\n");
    writeBytes(file("kamoku_code.csv"), kWTable + "\r\n\r\n");
    load();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_TRUE(QFileInfo::exists(file("kamoku_code.csv")));

    const QByteArray malformed = "1,2,a\r\n\r\n" + kWTable; // an empty line inside holds no comma
    writeBytes(file("kamoku_code.csv"), malformed);
    load();
    EXPECT_FALSE(QFileInfo::exists(file("kamoku_code.csv")));
    const QStringList aside = QDir(folder.path()).entryList({QStringLiteral("kamoku_code.csv.bad-*")});
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(fileBytes(folder.file(aside.first())), malformed);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_TRUE(fakes.messages.shown[0].text.contains(aside.first()));
}

TEST_F(MainWindowTest, MaintenanceFrameAndItsReturnButtonReloadTheUsers)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    auto *frame = control<QGroupBox>("Frame3");
    EXPECT_FALSE(frame->isVisible());
    control("Command6")->click();
    EXPECT_TRUE(frame->isVisible());
    select(1);
    EXPECT_FALSE(state.summaryPrefix.isEmpty());

    writeBytes(file("person.csv"), "A\r\nB\r\n");
    control("Command7")->click();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(state.summaryPrefix.isEmpty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("モコペ！"));
    EXPECT_EQ(listEntries(),
              (QStringList{QStringLiteral("-- 選択なし --"), QStringLiteral("A"), QStringLiteral("B")}));
    control("Command3")->click(); // does nothing
    EXPECT_TRUE(fakes.messages.shown.empty());
}

// What the maintenance windows save shows in the main window at once: the
// code system of a saved table, a saved user (the user chosen stays chosen).
TEST_F(MainWindowTest, MaintenanceSavesShowAtOnce)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    select(1);
    control("Command6")->click();

    control("Command5")->click();
    maintenance::AccountCodeEditor *accounts = window->accountCodeEditor();
    accounts->findChild<QPushButton *>(QStringLiteral("Command7"))->click();
    fakes.messages.answerNext(true);
    accounts->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    EXPECT_TRUE(control<QRadioButton>("Option2")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option1")->isChecked());
    // Saved: closing asks nothing.
    accounts->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    EXPECT_TRUE(window->isVisible());

    control("Command9")->click();
    window->userEditor()->findChild<QPushButton *>(QStringLiteral("Command7"))->click();
    auto *grid = window->userEditor()->findChild<ui::FloatingCellGrid *>(QStringLiteral("MSFlexGrid1"));
    grid->setCurrentGridCell(2, 1);
    grid->openEditorOnCurrentCell();
    auto *text2 = window->userEditor()->findChild<QLineEdit *>(QStringLiteral("Text2"));
    text2->setText(QStringLiteral("B"));
    QTest::keyClick(text2, Qt::Key_Return);
    // Closing asks, and はい saves without asking again.
    fakes.messages.answerNext(true);
    window->userEditor()->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(listEntries(),
              (QStringList{QStringLiteral("-- 選択なし --"), QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(state.summaryPrefix, QStringLiteral("No.1: A，"));
    EXPECT_EQ(fakes.messages.texts(),
              (QStringList{QStringLiteral("データを保存しますか？"),
                           QStringLiteral("データが変更されています．保存しますか？")}));
}

TEST_F(MainWindowTest, LauncherEntryIsRewrittenAtEveryStart)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    load();
    const QString key = QStringLiteral("Plexar\\Vstart\\Program10\\");
    EXPECT_EQ(fakes.launcher.writes, 8);
    EXPECT_EQ(fakes.launcher.values.size(), 4);
    EXPECT_EQ(fakes.launcher.values.value(key + "NO"), QStringLiteral("-1"));
    EXPECT_EQ(fakes.launcher.values.value(key + "Name"), QStringLiteral("モコペ！"));
    EXPECT_EQ(fakes.launcher.values.value(key + "START"), QStringLiteral("0"));
    EXPECT_TRUE(
        QDir::fromNativeSeparators(fakes.launcher.values.value(key + "Path")).startsWith(folder.path()));
}

TEST_F(MainWindowTest, EditorsHideTheMainWindowAndShowItAgainWhenClosed)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    control("Command6")->click();

    control("Command5")->click();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(window->accountCodeEditor());
    EXPECT_TRUE(window->accountCodeEditor()->isVisible());
    window->accountCodeEditor()->close();
    EXPECT_TRUE(window->isVisible());

    control("Command9")->click();
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(window->userEditor());
    window->userEditor()->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->userEditor()->isVisible());
}

TEST_F(MainWindowTest, ColourDialogClosedWithItsButtonRecoloursTheMainWindowAndSaves)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    control("Command6")->click();
    control("Command4")->click();
    ASSERT_TRUE(window->colourDialog());
    window->colourDialog()->clickSwatch(3);
    window->colourDialog()->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(255, 255, 192));
    EXPECT_EQ(control<QGroupBox>("Frame1")->palette().color(QPalette::Window), QColor(255, 255, 192));
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_TRUE(fileBytes(file("inifile.ini")).contains("\r\n&HC0FFFF\r\n&H8000000F\r\n"));
}

TEST_F(MainWindowTest, EndRunsTheDataEraseAndEndsTheProgram)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), "A\r\n");
    load();
    window->journal().takeSnapshot(2, 2);
    QSignalSpy ended(window.get(), &MainWindow::endRequested);
    control("Command2")->click();
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(window->journal().snapshotRows(), 0);
}

TEST_F(MainWindowTest, ShortcutIsNamedAfterTheCaptionAndStaysOnTheDesktop)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("kamoku_code.csv"), kWTable);
    writeBytes(file("person.csv"), cp932(QStringLiteral("../../.config/autostart/evil\r\n")));
    // The program beside its settings, as installed: a Windows shell link is
    // made only to a file that is there.
    writeBytes(QDir::fromNativeSeparators(settings::programExecutablePath(state)), "MZ");
    test::TempFolder desktop;
    platform::DesktopShortcut shortcuts(desktop.path());
    fakes.system.version = 12.0;
    window = std::make_unique<MainWindow>(
        state, platform::Services{fakes.messages, fakes.dialogs, fakes.processes, fakes.files, fakes.launcher,
                                  shortcuts, fakes.system, fakes.clock, fakes.printers, fakes.inputModes});
    window->load();
    select(1);
    fakes.messages.answerNext(true);
    control("Command8")->click();
    const QStringList made = QDir(desktop.path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(made.size(), 1);
    EXPECT_FALSE(made.first().startsWith(u'.'));
#ifdef Q_OS_WIN
    EXPECT_TRUE(made.first().endsWith(QStringLiteral(".lnk")));
#else
    EXPECT_TRUE(made.first().endsWith(QStringLiteral(".desktop")));
#endif
    EXPECT_TRUE(made.first().startsWith(QStringLiteral("使用者：　No.1")));
    EXPECT_TRUE(QDir(desktop.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

// On Windows the faces are the system's own (under Wine, the IPA faces under
// the Windows names).
TEST(Fonts, WindowsFaceNamesResolveToTheIpaFaces)
{
    installFontSubstitutions();
#ifdef Q_OS_WIN
    EXPECT_EQ(QFontInfo(QFont(kUiFace)).family(), kUiFace);
    EXPECT_EQ(QFontInfo(QFont(kReportFace)).family(), QStringLiteral("ＭＳ 明朝"));
#else
    EXPECT_EQ(QFontInfo(QFont(kUiFace)).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(QFont(kReportFace)).family(), QStringLiteral("IPAMincho"));
#endif
}

// A history file dropped on the window is imported as "会計CSVファイル読込み"
// imports it, with the same checks and no dialog; a drag of several files or
// of no local file is not taken.
TEST_F(MainWindowTest, ADroppedHistoryIsImportedWithTheSameChecks)
{
    writeBytes(file("inifile.ini"), settingsWithFormat("0"));
    writeBytes(file("person.csv"), cp932(QStringLiteral("山田太郎\r\n")));
    load();
    test::TempFolder cards;
    const QString card = cards.file(QStringLiteral("suica.csv"));
    writeBytes(card, cp932(QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n"
                                          "2008/07/21,入場,JR東,新宿,出場,JR東,渋谷,1000,\r\n")));
    int editorsOpened = 0;
    window->setJournalEditorOpener([&editorsOpened] { ++editorsOpened; });
    const auto drag = [this](const QList<QUrl> &urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QApplication::processEvents();
        return true;
    };

    EXPECT_FALSE(drag({QUrl::fromLocalFile(card), QUrl::fromLocalFile(card)}));
    EXPECT_FALSE(drag({QUrl(QStringLiteral("https://example.com/suica.csv"))}));
    // No account table yet: refused as the button refuses.
    fakes.messages.shown.clear();
    EXPECT_TRUE(drag({QUrl::fromLocalFile(card)}));
    EXPECT_EQ(fakes.messages.texts(), QStringList{kImportRefused});
    EXPECT_EQ(editorsOpened, 0);

    writeBytes(file("kamoku_code.csv"), kWTable);
    control("Command6")->click();
    control("Command7")->click();
    fakes.messages.shown.clear();
    EXPECT_TRUE(drag({QUrl::fromLocalFile(card)}));
    EXPECT_TRUE(fakes.messages.shown.empty()) << fakes.messages.texts().join(u'|').toStdString();
    EXPECT_EQ(editorsOpened, 1);
    EXPECT_EQ(state.history.sourcePath, card);
    EXPECT_EQ(state.history.lastLineIndex, 1);
    EXPECT_TRUE(fakes.dialogs.requests.empty());
}

} // namespace
} // namespace mokpe::ui
