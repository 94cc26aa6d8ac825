#include "maintenance/ui/user_editor.h"

#include "common/twips.h"
#include "common/ui/floating_cell_grid.h"
#include "maintenance/user_table.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

struct UserEditorTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedServices scripted;
    QPointer<UserEditor> editor;
    int returns = 0;

    UserEditorTest()
    {
        state.programFolder = folder.path();
        state.settings.screenColour = QStringLiteral("&H8000000F");
        state.settings.buttonColour = QStringLiteral("&H8000000F");
    }
    ~UserEditorTest() override { delete editor.data(); }

    void open(const QStringList &entries, int lastIndex)
    {
        state.users = {entries, lastIndex};
        editor = new UserEditor(state, scripted.messages);
        editor->setReturnToMain([this] { ++returns; });
    }
    ui::FloatingCellGrid *grid() const
    {
        return editor->findChild<ui::FloatingCellGrid *>(QStringLiteral("MSFlexGrid1"));
    }
    QLineEdit *text2() const { return editor->findChild<QLineEdit *>(QStringLiteral("Text2")); }
    void click(const char *name) const
    {
        QPushButton *button = editor->findChild<QPushButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void pressEnter() const
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(text2(), &press);
    }
    // Clicking a user cell: it becomes current and the edit box opens on it.
    void enterCell(int row) const
    {
        grid()->setCurrentGridCell(row, 1);
        grid()->openEditorOnCurrentCell();
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int r = 1; r < grid()->gridRows(); ++r)
            texts.append(grid()->cellText(r, c));
        return texts;
    }
    static QStringList numbers(int count)
    {
        QStringList n;
        for (int i = 1; i <= count; ++i)
            n.append(QString::number(i));
        return n;
    }
    QString personPath() const { return folder.file(QStringLiteral("person.csv")); }
};

TEST_F(UserEditorTest, OpeningLoadsTheUsersUpToTheLastIndex)
{
    open({QStringLiteral("山田,太郎"), QString(), QStringLiteral("鈴木"), QStringLiteral("not listed")}, 2);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("使用者登録"));
    ASSERT_NE(grid(), nullptr);
    ASSERT_NE(text2(), nullptr);
    EXPECT_EQ(grid()->gridRows(), 4);
    EXPECT_EQ(grid()->cellText(0, 0), QStringLiteral("No."));
    EXPECT_EQ(grid()->cellText(0, 1), QStringLiteral("使用者"));
    EXPECT_EQ(column(0), numbers(3));
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("山田,太郎"), QString(), QStringLiteral("鈴木")}));
    const double dpi = grid()->logicalDpiX();
    EXPECT_EQ(grid()->columnWidth(0), common::twipsToPixels(750, dpi));
    EXPECT_EQ(grid()->columnWidth(1), common::twipsToPixels(2500, dpi));

    auto *text1 = editor->findChild<QPlainTextEdit *>(QStringLiteral("Text1"));
    ASSERT_NE(text1, nullptr);
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_EQ(text1->toPlainText(), QStringLiteral("山田,太郎\n\n鈴木\n"));

    const struct {
        const char *name;
        QString caption;
    } buttons[] = {{"Command1", QStringLiteral("保　存")},
                   {"Command2", QStringLiteral("閉じる")},
                   {"Command5", QStringLiteral("1行挿入")},
                   {"Command6", QStringLiteral("1行削除")},
                   {"Command7", QStringLiteral("最終行追加")}};
    for (const auto &b : buttons) {
        auto *button = editor->findChild<QPushButton *>(QLatin1String(b.name));
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), b.caption) << b.name;
    }
    auto *label = editor->findChild<QLabel *>(QStringLiteral("Label3"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("※入力後は，エンターキーで確定して下さい．"));
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(UserEditorTest, EmptyUserTableLeavesOneEmptyRowToTypeIn)
{
    open({}, -1);
    EXPECT_EQ(grid()->gridRows(), 2);
    EXPECT_EQ(column(0), numbers(1));
    EXPECT_EQ(column(1), QStringList{QString()});
}

TEST_F(UserEditorTest, ColoursFollowTheSettings)
{
    state.settings.screenColour = QStringLiteral("&HC0C0FF");
    state.settings.buttonColour = QStringLiteral("&HFF8080");
    open({QStringLiteral("a")}, 0);
    const QColor screen(255, 192, 192);
    const QColor button(128, 128, 255);
    EXPECT_EQ(editor->palette().color(QPalette::Window), screen);
    EXPECT_EQ(editor->findChild<QLabel *>(QStringLiteral("Label3"))->palette().color(QPalette::Window),
              screen);
    for (const char *name : {"Command1", "Command2", "Command5", "Command6", "Command7"})
        EXPECT_EQ(editor->findChild<QPushButton *>(QLatin1String(name))->palette().color(QPalette::Button),
                  button)
            << name;
    EXPECT_EQ(grid()->cellBackground(0), screen);
    EXPECT_EQ(grid()->cellBackground(1), QColor(Qt::white));
}

TEST_F(UserEditorTest, EnterStoresTheTextAndMovesDown)
{
    open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2);
    enterCell(1);
    EXPECT_EQ(text2()->text(), QStringLiteral("a"));
    text2()->setText(QStringLiteral("山田"));
    pressEnter();
    EXPECT_EQ(grid()->cellText(1, 1), QStringLiteral("山田"));
    EXPECT_EQ(grid()->currentGridRow(), 2);
    EXPECT_EQ(text2()->text(), QStringLiteral("b"));
    EXPECT_TRUE(text2()->isVisibleTo(editor));
}

TEST_F(UserEditorTest, EnterOnTheLastRowStoresAndStays)
{
    open({QStringLiteral("a"), QStringLiteral("b")}, 1);
    enterCell(2);
    text2()->setText(QStringLiteral("鈴木"));
    pressEnter();
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("a"), QStringLiteral("鈴木")}));
    EXPECT_EQ(grid()->currentGridRow(), 2);
    EXPECT_EQ(grid()->gridRows(), 3);
}

TEST_F(UserEditorTest, TextTypedWithoutEnterIsNotStored)
{
    open({QStringLiteral("a"), QStringLiteral("b")}, 1);
    enterCell(1);
    text2()->setText(QStringLiteral("typed"));
    enterCell(2);
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    scripted.messages.answerNext(true);
    click("Command1");
    EXPECT_EQ(fileBytes(personPath()), QByteArray("a\r\nb\r\n"));
}

TEST_F(UserEditorTest, InsertPutsAnEmptyRowAtTheCurrentRowAndRenumbers)
{
    open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2);
    enterCell(2);
    click("Command5");
    EXPECT_EQ(column(1),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(column(0), numbers(4));
    EXPECT_EQ(grid()->currentGridRow(), 2);
    EXPECT_EQ(text2()->text(), QString());

    // What is typed now goes into the new row.
    text2()->setText(QStringLiteral("new"));
    pressEnter();
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("b"),
                                      QStringLiteral("c")}));
}

TEST_F(UserEditorTest, DeleteRemovesTheCurrentRowAndLoadsTheCellNowCurrent)
{
    open({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}, 2);
    enterCell(2);
    click("Command6");
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(column(0), numbers(2));
    EXPECT_EQ(grid()->currentGridRow(), 2);
    EXPECT_EQ(text2()->text(), QStringLiteral("c"));
}

TEST_F(UserEditorTest, DeleteOnTheLastRowHidesTheEditBoxAndNeverTakesTheLastUser)
{
    open({QStringLiteral("a"), QStringLiteral("b")}, 1);
    enterCell(2);
    ASSERT_TRUE(text2()->isVisibleTo(editor));
    click("Command6");
    EXPECT_FALSE(text2()->isVisibleTo(editor));
    EXPECT_EQ(column(1), QStringList{QStringLiteral("a")});
    EXPECT_EQ(grid()->currentGridRow(), 1);
    EXPECT_EQ(text2()->text(), QStringLiteral("a"));

    click("Command6");
    EXPECT_EQ(grid()->gridRows(), 2);
    EXPECT_EQ(column(1), QStringList{QStringLiteral("a")});
}

TEST_F(UserEditorTest, AppendAddsAnEmptyRowAtTheEnd)
{
    open({QStringLiteral("a"), QStringLiteral("b")}, 1);
    enterCell(1);
    click("Command7");
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QString()}));
    EXPECT_EQ(column(0), numbers(3));
    EXPECT_EQ(grid()->currentGridRow(), 1);
}

TEST_F(UserEditorTest, InsertAndAppendStopAtTwentyThousandRows)
{
    open({QStringLiteral("a")}, 0);
    grid()->setGridRows(kUserGridMaxRows - 1);
    click("Command7");
    EXPECT_EQ(grid()->gridRows(), 20000);
    EXPECT_EQ(grid()->cellText(19999, 0), QStringLiteral("19999"));
    click("Command7");
    EXPECT_EQ(grid()->gridRows(), 20000);
    enterCell(1);
    click("Command5");
    EXPECT_EQ(grid()->gridRows(), 20000);
    EXPECT_EQ(grid()->cellText(1, 1), QStringLiteral("a"));
}

TEST_F(UserEditorTest, SaveAnsweredYesWritesEveryRowAndReplacesTheEntries)
{
    open({QStringLiteral("山田,太郎"), QStringLiteral("b")}, 1);
    click("Command7");
    enterCell(2);
    text2()->setText(QString());
    pressEnter();
    scripted.messages.answerNext(true);
    click("Command1");
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0],
              (test::ShownMessage{test::ShownMessage::Ask, QStringLiteral("データを保存しますか？"),
                                  QStringLiteral("データの保存")}));
    EXPECT_EQ(fileBytes(personPath()), cp932(QStringLiteral("山田,太郎\r\n\r\n\r\n")));
    EXPECT_EQ(state.users.entries, (QStringList{QStringLiteral("山田,太郎"), QString(), QString()}));
    // The main window lists what was saved at once.
    EXPECT_EQ(state.users.lastIndex, 2);
}

TEST_F(UserEditorTest, SaveAnsweredNoWritesNothing)
{
    open({QStringLiteral("a")}, 0);
    scripted.messages.answerNext(false);
    click("Command1");
    EXPECT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(fileBytes(personPath()), QByteArray("<missing>"));
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("a")});
}

TEST_F(UserEditorTest, SaveThatCannotBeWrittenIsReported)
{
    open({QStringLiteral("a")}, 0);
    enterCell(1);
    text2()->setText(QStringLiteral("한"));
    pressEnter();
    scripted.messages.answerNext(true);
    click("Command1");
    ASSERT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_TRUE(scripted.messages.shown[1].text.endsWith(
        QStringLiteral("Shift_JIS(CP932)で保存できないため，保存を中止しました．")));
    EXPECT_EQ(fileBytes(personPath()), QByteArray("<missing>"));
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("a")});
}

TEST_F(UserEditorTest, CloseButtonRereadsTheFileAndKeepsTheWindowAsLeft)
{
    writeBytes(personPath(), "a\r\nb\r\nc\r\n");
    open({QStringLiteral("a"), QStringLiteral("b")}, 1);
    editor->show();
    enterCell(1);
    text2()->setText(QStringLiteral("unsaved"));
    pressEnter();

    // Asked first; いいえ drops the edit from the user table.
    scripted.messages.answerNext(false);
    click("Command2");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(state.users.entries,
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(state.users.lastIndex, 2);
    EXPECT_EQ(scripted.messages.texts(),
              QStringList{QStringLiteral("データが変更されています．保存しますか？")});

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(editor.isNull());
    editor->show();
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("unsaved"), QStringLiteral("b")}));
}

TEST_F(UserEditorTest, CloseButtonWithTheFileGoneShowsItsMessage)
{
    open({QStringLiteral("a")}, 0);
    click("Command2");
    EXPECT_EQ(scripted.messages.texts(), QStringList{kPersonFileMissingMessage});
    EXPECT_EQ(state.users.entries, QStringList(12, QString()));
    EXPECT_EQ(returns, 1);
}

TEST_F(UserEditorTest, CloseBoxReturnsWithoutReadingAndDestroysTheWindow)
{
    open({QStringLiteral("a")}, 0);
    editor->show();
    bool hiddenWhenReturning = false;
    editor->setReturnToMain([this, &hiddenWhenReturning] {
        ++returns;
        hiddenWhenReturning = !editor->isVisible();
    });
    EXPECT_TRUE(editor->close());
    EXPECT_EQ(returns, 1);
    EXPECT_TRUE(hiddenWhenReturning);
    // No file was read: there is none, and no message came.
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("a")});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
}

} // namespace
} // namespace mokpe::maintenance
