#include "maintenance/ui/account_code_editor.h"

#include "maintenance/account_file_texts.h"

#include "common/text_file.h"
#include "common/ui/floating_cell_grid.h"
#include "maintenance/account_code_file.h"
#include "maintenance/account_file_check.h"
#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

struct AccountCodeEditorTest : ::testing::Test {
    test::TempFolder folder;
    test::ScriptedServices services;
    AppState state;
    QPointer<AccountCodeEditor> editor;
    int returns = 0;

    AccountCodeEditorTest()
    {
        state.programFolder = folder.path();
        settings::Fm1_IniFileRead(state, services.messages);
        services.messages.shown.clear();
    }
    ~AccountCodeEditorTest() override { delete editor.data(); }

    QString csvPath() const { return folder.file(QStringLiteral("kamoku_code.csv")); }

    // The start-up of the main window with this account code file.
    void startWith(const QByteArray &bytes)
    {
        writeBytes(csvPath(), bytes);
        Fm1_KamokuFileCheck(state, services.messages);
    }

    void open()
    {
        editor = new AccountCodeEditor(state, services.messages);
        editor->setReturnToMain([this] { ++returns; });
        editor->show();
    }

    template <typename T> T *control(const char *name) const
    {
        T *c = editor->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    void click(const char *name) { control<QPushButton>(name)->click(); }
    ui::FloatingCellGrid *grid() const { return control<ui::FloatingCellGrid>("MSFlexGrid1"); }
    QString box(const char *name) const { return control<QLineEdit>(name)->text(); }

    // Column 1 to 3 of every account row.
    QStringList rows() const
    {
        QStringList result;
        for (int r = 1; r < grid()->gridRows(); ++r) {
            result.append(grid()->cellText(r, 1) + QLatin1Char(',') + grid()->cellText(r, 2) +
                          QLatin1Char(',') + grid()->cellText(r, 3));
        }
        return result;
    }
    QStringList numbers() const
    {
        QStringList result;
        for (int r = 1; r < grid()->gridRows(); ++r)
            result.append(grid()->cellText(r, 0));
        return result;
    }

    // Types into the cell editor at (row, column) and presses Enter.
    void enterCell(int row, int column, const QString &text)
    {
        grid()->setCurrentGridCell(row, column);
        grid()->openEditorOnCurrentCell();
        grid()->cellEditor()->setText(text);
        pressKey(grid()->cellEditor(), Qt::Key_Return);
    }
    // A mouse click on a grid cell, as the user makes it.
    void clickCell(int row, int column)
    {
        QWidget *viewport = grid()->viewport();
        const QPoint at = grid()->visualRect(grid()->model()->index(row - 1, column)).center();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &release);
    }
    static void pressKey(QWidget *w, int key, const QString &text = QString())
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(w, &event);
    }
};

QByteArray listFile(int listRows)
{
    QByteArray bytes = "186,1800,a\r\n113,1412,b\r\n";
    for (int i = 1; i <= listRows; ++i)
        bytes += QByteArray::number(100 + i % 900) + ",," + QByteArray::number(i) + "\r\n";
    return bytes;
}

TEST_F(AccountCodeEditorTest, TheWindowShowsItsControlsWithTheirCaptions)
{
    open();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("科目コード設定"));
    const std::pair<const char *, QString> buttons[] = {
        {"Command1", QStringLiteral("保　存")},         {"Command2", QStringLiteral("閉じる")},
        {"Command3", QStringLiteral("1行挿入")},        {"Command4", QStringLiteral("1行削除")},
        {"Command5", QStringLiteral("最終行追加")},     {"Command6", QStringLiteral("Ｗコード")},
        {"Command7", QStringLiteral("　楓林　コード")},
    };
    for (const auto &[name, caption] : buttons)
        EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name;
    const std::pair<const char *, QString> frames[] = {
        {"Frame1", QStringLiteral("電子マネー未決済勘定")},
        {"Frame2", QStringLiteral("電子マネー勘定")},
        {"Frame3", QStringLiteral("その他のコードおよび勘定科目(※エンターキーで確定)")},
        {"Frame4", QStringLiteral("初回読込み")},
    };
    for (const auto &[name, caption] : frames)
        EXPECT_EQ(control<QGroupBox>(name)->title(), caption) << name;
    const std::pair<const char *, QString> labels[] = {
        {"Label1", QStringLiteral("コード（半角数字３桁）")},
        {"Label2", QStringLiteral("コード（半角数字４桁）")},
        {"Label3", QStringLiteral("勘定科目（全角３２文字）")},
        {"Label4", QStringLiteral("コード（半角数字３桁）")},
        {"Label5", QStringLiteral("コード（半角数字４桁）")},
        {"Label6", QStringLiteral("勘定科目（全角３２文字）")},
        {"Label7", QStringLiteral("※初めて使う場合は「初回読込み」のボタンを押して保存して下さい．")},
        {"Label8", QStringLiteral("※誤って初回読込みボタンを押した場合は保存しないで閉じて下さい．")},
        {"Label9", QStringLiteral("モコペ！バージョン：Ver.081030-00")},
    };
    for (const auto &[name, caption] : labels)
        EXPECT_EQ(control<QLabel>(name)->text(), caption) << name;

    EXPECT_EQ(grid()->columnCount(), 4);
    EXPECT_EQ(grid()->cellText(0, 0), QStringLiteral("No."));
    EXPECT_EQ(grid()->cellText(0, 1), QStringLiteral("科目ｺｰﾄﾞ\n３桁"));
    EXPECT_EQ(grid()->cellText(0, 2), QStringLiteral("科目ｺｰﾄﾞ\n４桁"));
    EXPECT_EQ(grid()->cellText(0, 3), QStringLiteral("科目名"));
    const double dpi = grid()->logicalDpiX();
    EXPECT_EQ(grid()->columnWidth(3), qRound(3300 * dpi / 1440));
    EXPECT_EQ(grid()->columnWidth(0), qRound(650 * dpi / 1440));
}

TEST_F(AccountCodeEditorTest, AFreshWindowWithoutATableHasTwoEmptyRowsAndTheSettingsInItsBoxes)
{
    open();
    EXPECT_EQ(grid()->gridRows(), 3);
    EXPECT_EQ(rows(), (QStringList{",,", ",,"}));
    EXPECT_EQ(numbers(), (QStringList{"", ""}));
    const char *names[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
    const QString values[] = {"000", "0000", QStringLiteral("電子未決"),
                              "000", "0000", QStringLiteral("電子マネー")};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(box(names[i]), values[i]) << names[i];
}

TEST_F(AccountCodeEditorTest, TheListIsFilledFromTheTableAndTheBoxesFromTheSettings)
{
    startWith(cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n"
                                   "854,,運賃\r\n879,8561,リース,料,金\r\n")));
    open();
    EXPECT_EQ(grid()->gridRows(), 4);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("842,8471,旅費交通費"), QStringLiteral("854,,運賃"),
                                   QStringLiteral("879,8561,リース,料,金")}));
    EXPECT_EQ(grid()->cellText(3, 3), QStringLiteral("リース,料,金"));
    EXPECT_EQ(numbers(), (QStringList{"1", "2", "3"}));
    // The boxes show the settings record, not the file's first two lines.
    EXPECT_EQ(box("Text2"), QStringLiteral("0000"));
    EXPECT_EQ(box("Text6"), QStringLiteral("電子マネー"));
}

TEST_F(AccountCodeEditorTest, CodeBoxesLimitTypingButNotTextSetByTheProgram)
{
    state.settings.unsettledAccount.code3 = QStringLiteral("18600");
    open();
    EXPECT_EQ(box("Text1"), QStringLiteral("18600"));

    struct Case {
        const char *name;
        int limit;
    };
    for (const Case &c : {Case{"Text1", 3}, Case{"Text2", 4}, Case{"Text4", 3}, Case{"Text5", 4}}) {
        QLineEdit *edit = control<QLineEdit>(c.name);
        edit->clear();
        for (const char *digit : {"1", "2", "3", "4", "5", "6"})
            pressKey(edit, Qt::Key_0 + (digit[0] - '0'), QString::fromLatin1(digit));
        EXPECT_EQ(edit->text(), QStringLiteral("123456").left(c.limit)) << c.name;
    }
    QLineEdit *name = control<QLineEdit>("Text3");
    name->clear();
    for (int i = 0; i < 40; ++i)
        pressKey(name, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(name->text().size(), 40);

    EXPECT_EQ(control<QLineEdit>("Text1")->inputMethodHints(), Qt::ImhPreferLatin);
    EXPECT_EQ(control<QLineEdit>("Text2")->inputMethodHints(), Qt::ImhPreferLatin);
}

TEST_F(AccountCodeEditorTest, TheWSetReplacesAListOfFortyRowsAndTheFuurinSetReplacesTheWSet)
{
    startWith(listFile(40));
    open();
    ASSERT_EQ(grid()->gridRows(), 41);
    click("Command6");
    EXPECT_EQ(grid()->gridRows(), 17);
    QStringList wRows = common::splitLines(test::kWCodeFileText).mid(2);
    EXPECT_EQ(rows(), wRows);
    EXPECT_EQ(numbers().join(' '), QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16"));
    EXPECT_EQ(box("Text2"), QStringLiteral("1882"));
    EXPECT_EQ(box("Text5"), QStringLiteral("1131"));
    EXPECT_EQ(state.accountEditorDefaultSet, 1);
    EXPECT_EQ(grid()->cellText(0, 3), QStringLiteral("科目名"));

    click("Command7");
    EXPECT_EQ(rows(), common::splitLines(test::kFuurinCodeFileText).mid(2));
    EXPECT_EQ(box("Text1"), QStringLiteral("186"));
    EXPECT_EQ(box("Text2"), QStringLiteral("1800"));
    EXPECT_EQ(box("Text3"), QStringLiteral("仕訳未決定"));
    EXPECT_EQ(box("Text5"), QStringLiteral("1412"));
    EXPECT_EQ(box("Text6"), QStringLiteral("仮払金"));
    EXPECT_EQ(state.accountEditorDefaultSet, 0);
    // Nothing is written until "保　存".
    EXPECT_EQ(fileBytes(csvPath()), listFile(40));
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(AccountCodeEditorTest, SavingTheWSetWritesItsEighteenLines)
{
    open();
    click("Command6");
    services.messages.answerNext(true);
    click("Command1");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0],
              (test::ShownMessage{test::ShownMessage::Ask, QStringLiteral("データを保存しますか？"),
                                  QStringLiteral("データの保存")}));
    EXPECT_EQ(fileBytes(csvPath()), cp932(test::kWCodeFileText));
    EXPECT_EQ(state.accounts.lastIndex, 17);
    EXPECT_EQ(state.settings.unsettledAccount.code4, QStringLiteral("1882"));
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral("電子マネー"));
}

TEST_F(AccountCodeEditorTest, SavingAnsweredNoWritesNothing)
{
    open();
    click("Command6");
    const QByteArray ini = fileBytes(folder.file(QStringLiteral("inifile.ini")));
    services.messages.answerNext(false);
    click("Command1");
    EXPECT_EQ(services.messages.shown.size(), 1u);
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("inifile.ini"))), ini);
    EXPECT_EQ(state.settings.unsettledAccount.code4, QStringLiteral("0000"));
}

TEST_F(AccountCodeEditorTest, ARefusedSaveShowsTheRowAndWritesNothing)
{
    open();
    click("Command6");
    enterCell(5, 1, QStringLiteral("１２３"));
    services.messages.answerNext(true);
    click("Command1");
    EXPECT_EQ(services.messages.texts(),
              (QStringList{QStringLiteral("データを保存しますか？"),
                           QStringLiteral("「　5　」行目：半角数字４桁以内のみ入力して下さい．")}));
    EXPECT_EQ(services.messages.shown[1].title, QStringLiteral("モコペ！"));
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(AccountCodeEditorTest, EnterStoresTheTextAndMovesDownButStaysOnTheLastRow)
{
    open();
    click("Command6");
    enterCell(3, 3, QStringLiteral("厚生費"));
    EXPECT_EQ(grid()->cellText(3, 3), QStringLiteral("厚生費"));
    EXPECT_EQ(grid()->currentGridRow(), 4);
    EXPECT_EQ(grid()->cellEditor()->text(), QStringLiteral("交際費"));

    enterCell(16, 2, QStringLiteral("9999"));
    EXPECT_EQ(grid()->cellText(16, 2), QStringLiteral("9999"));
    EXPECT_EQ(grid()->currentGridRow(), 16);
    EXPECT_EQ(grid()->gridRows(), 17);

    // Text not confirmed with Enter does not reach the grid.
    grid()->setCurrentGridCell(2, 3);
    grid()->openEditorOnCurrentCell();
    grid()->cellEditor()->setText(QStringLiteral("捨てる"));
    grid()->setCurrentGridCell(1, 3);
    EXPECT_EQ(grid()->cellText(2, 3), QStringLiteral("運賃"));
}

TEST_F(AccountCodeEditorTest, AClickedCellGetsTheEditorWithTheInputModeOfItsColumn)
{
    open();
    click("Command6");
    QApplication::processEvents();
    QLineEdit *cellEditor = grid()->cellEditor();

    clickCell(3, 2);
    EXPECT_TRUE(cellEditor->isVisible());
    EXPECT_EQ(cellEditor->text(), QStringLiteral("8451"));
    EXPECT_EQ(cellEditor->geometry(), grid()->visualRect(grid()->model()->index(2, 2)));
    EXPECT_EQ(cellEditor->inputMethodHints(), Qt::ImhPreferLatin);

    clickCell(3, 3);
    EXPECT_EQ(cellEditor->text(), QStringLiteral("福利厚生費"));
    EXPECT_EQ(cellEditor->inputMethodHints(), Qt::ImhNone);

    // A row number is not editable: the click lands on the row's 3-digit code.
    clickCell(5, 0);
    EXPECT_EQ(grid()->currentGridRow(), 5);
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(cellEditor->text(), QStringLiteral("877"));
    cellEditor->setText(QStringLiteral("878"));
    pressKey(cellEditor, Qt::Key_Return);
    EXPECT_EQ(grid()->cellText(5, 0), QStringLiteral("5"));
    EXPECT_EQ(grid()->cellText(5, 1), QStringLiteral("878"));
}

TEST_F(AccountCodeEditorTest, RowButtonsInsertDeleteAndAppendAndRenumber)
{
    startWith(listFile(3));
    open();
    ASSERT_EQ(rows(), (QStringList{"101,,1", "102,,2", "103,,3"}));

    grid()->setCurrentGridCell(2, 1);
    click("Command3");
    EXPECT_EQ(rows(), (QStringList{"101,,1", ",,", "102,,2", "103,,3"}));
    EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4"}));
    EXPECT_TRUE(grid()->cellEditor()->text().isEmpty());

    click("Command5");
    EXPECT_EQ(rows(), (QStringList{"101,,1", ",,", "102,,2", "103,,3", ",,"}));
    EXPECT_EQ(numbers().last(), QStringLiteral("5"));

    grid()->setCurrentGridCell(3, 3);
    click("Command4");
    EXPECT_EQ(rows(), (QStringList{"101,,1", ",,", "103,,3", ",,"}));
    EXPECT_EQ(numbers(), (QStringList{"1", "2", "3", "4"}));
    EXPECT_EQ(grid()->cellEditor()->text(), QStringLiteral("3"));

    // Deleting the last row hides the cell editor.
    grid()->setCurrentGridCell(4, 1);
    grid()->openEditorOnCurrentCell();
    click("Command4");
    EXPECT_EQ(rows(), (QStringList{"101,,1", ",,", "103,,3"}));
    EXPECT_TRUE(grid()->cellEditor()->isHidden());
}

// The inserted row becomes the current one: what is typed next goes into it,
// not into the row it pushed down.
TEST_F(AccountCodeEditorTest, WhatIsTypedAfterAnInsertGoesIntoTheNewRow)
{
    startWith(listFile(3));
    open();
    grid()->setCurrentGridCell(2, 1);
    grid()->openEditorOnCurrentCell();
    click("Command3");
    EXPECT_EQ(grid()->currentGridRow(), 2);
    EXPECT_EQ(grid()->cellEditor()->geometry(), grid()->visualRect(grid()->model()->index(1, 1)));
    grid()->cellEditor()->setText(QStringLiteral("555"));
    pressKey(grid()->cellEditor(), Qt::Key_Return);
    EXPECT_EQ(rows(), (QStringList{"101,,1", "555,,", "102,,2", "103,,3"}));
}

TEST_F(AccountCodeEditorTest, TheLastAccountRowIsNeverDeleted)
{
    startWith(listFile(1));
    open();
    ASSERT_EQ(grid()->gridRows(), 2);
    grid()->setCurrentGridCell(1, 1);
    click("Command4");
    EXPECT_EQ(rows(), QStringList{"101,,1"});
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(AccountCodeEditorTest, AFullGridTakesNoMoreRows)
{
    startWith(listFile(1999));
    open();
    ASSERT_EQ(grid()->gridRows(), 2000);
    grid()->setCurrentGridCell(5, 1);
    click("Command3");
    click("Command5");
    EXPECT_EQ(grid()->gridRows(), 2000);
    EXPECT_EQ(grid()->cellText(5, 3), QStringLiteral("5"));
    EXPECT_TRUE(services.messages.shown.empty());
    click("Command4");
    EXPECT_EQ(grid()->gridRows(), 1999);
    click("Command5");
    EXPECT_EQ(grid()->gridRows(), 2000);
    EXPECT_EQ(grid()->cellText(1999, 0), QStringLiteral("1999"));
}

TEST_F(AccountCodeEditorTest, CloseButtonReadsTheTableAgainAndDropsUnsavedEdits)
{
    startWith(cp932(test::kFuurinCodeFileText));
    ASSERT_EQ(state.codeSystemState, 0);
    open();
    click("Command6");
    enterCell(1, 3, QStringLiteral("未保存"));
    // The file changed meanwhile: the close button picks it up and detects the code system anew.
    writeBytes(csvPath(), cp932(test::kWCodeFileText));
    // Asked first: キャンセル keeps the window and the edit, いいえ drops it.
    services.messages.cancelNext();
    click("Command2");
    EXPECT_FALSE(editor->isHidden());
    EXPECT_EQ(rows().at(0), QStringLiteral("842,8471,未保存"));
    services.messages.answerNext(false);
    click("Command2");
    EXPECT_EQ(services.messages.shown.back(),
              (test::ShownMessage{test::ShownMessage::AskOrCancel,
                                  QStringLiteral("データが変更されています．保存しますか？"),
                                  QStringLiteral("データの保存")}));
    EXPECT_TRUE(editor->isHidden());
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(state.codeSystemState, 1);
    EXPECT_EQ(state.accounts.lines, common::splitLines(test::kWCodeFileText));
    EXPECT_EQ(rows(), common::splitLines(test::kWCodeFileText).mid(2));
    EXPECT_FALSE(editor.isNull());
}

TEST_F(AccountCodeEditorTest, CloseBoxKeepsTheTableAndTheWindowGoesAway)
{
    startWith(cp932(test::kFuurinCodeFileText));
    open();
    writeBytes(csvPath(), cp932(test::kWCodeFileText));
    editor->close();
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(state.codeSystemState, 0);
    EXPECT_EQ(state.accounts.lines, common::splitLines(test::kFuurinCodeFileText));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
}

TEST_F(AccountCodeEditorTest, CloseButtonWithoutAFileSaysSoAndLeavesOneEmptyLine)
{
    open();
    click("Command6");
    // The set loaded is dropped on いいえ.
    services.messages.answerNext(false);
    click("Command2");
    EXPECT_EQ(services.messages.texts(),
              (QStringList{QStringLiteral("データが変更されています．保存しますか？"),
                           kAccountFileMissingMessage}));
    EXPECT_EQ(state.accounts.lines, QStringList{QString()});
    EXPECT_EQ(state.accounts.lastIndex, 0);
    // No table rows: the grid keeps its rows, all cells empty.
    EXPECT_EQ(grid()->gridRows(), 17);
    EXPECT_EQ(rows(), QStringList(16, QStringLiteral(",,")));
    EXPECT_EQ(box("Text2"), QStringLiteral("0000"));
}

TEST_F(AccountCodeEditorTest, CommasInANameAndAnEmptyFourDigitCodeSurviveSaveAndReading)
{
    open();
    click("Command6");
    enterCell(2, 3, QStringLiteral("運賃,バス,電車"));
    enterCell(4, 2, QString());
    services.messages.answerNext(true);
    click("Command1");
    const QStringList lines = common::splitLines(test::kWCodeFileText);
    QStringList expected = lines;
    expected[3] = QStringLiteral("854,8641,運賃,バス,電車");
    expected[5] = QStringLiteral("844,,交際費");
    EXPECT_EQ(fileBytes(csvPath()), cp932(expected.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));

    click("Command2");
    EXPECT_EQ(grid()->cellText(2, 3), QStringLiteral("運賃,バス,電車"));
    EXPECT_EQ(grid()->cellText(4, 2), QString());
    EXPECT_EQ(grid()->cellText(4, 3), QStringLiteral("交際費"));
}

TEST_F(AccountCodeEditorTest, AfterDeletingSavingAndTheCloseBoxTheTableIsWhatWasSaved)
{
    open();
    click("Command6");
    for (int row : {16, 3, 1}) {
        grid()->setCurrentGridCell(row, 1);
        click("Command4");
    }
    services.messages.answerNext(true);
    click("Command1");
    editor->close();
    QStringList expected = common::splitLines(test::kWCodeFileText);
    for (int line : {17, 4, 2})
        expected.removeAt(line);
    EXPECT_EQ(common::readTextFile(csvPath()).lines, expected);
    EXPECT_EQ(state.accounts.lines, expected);
    EXPECT_EQ(state.accounts.lastIndex, 14);
}

} // namespace
} // namespace mokpe::maintenance
