#include "maintenance/ui/colour_dialog.h"

#include "common/colour_value.h"
#include "common/text_file.h"
#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

const QByteArray kSettingsBytes =
    "4\r\n12\r\n\r\n20261231\r\n20260101,20261231\r\n&H8000000F\r\n&HC0C0FF\r\n1\r\n0\r\n"
    "101\r\n1001\r\nA\r\n102\r\n1002\r\nB\r\n";

struct ColourDialogTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedServices services;
    QPointer<ColourDialog> dialog;
    int applied = 0;
    int returned = 0;
    QByteArray fileWhenApplied;

    ColourDialogTest()
    {
        state.programFolder = folder.path();
        test::writeBytes(iniPath(), kSettingsBytes);
        settings::Fm1_IniFileRead(state, services.messages);
        dialog = makeDialog();
    }
    ~ColourDialogTest() override { delete dialog.data(); }
    ColourDialog *makeDialog()
    {
        auto *d = new ColourDialog(state, services.messages);
        d->setApplyToMain([this] {
            ++applied;
            fileWhenApplied = test::fileBytes(iniPath());
        });
        d->setReturnToMain([this] { ++returned; });
        d->show();
        return d;
    }
    QString iniPath() const { return folder.file(QStringLiteral("inifile.ini")); }
    QStringList fileLines() const { return common::readTextFile(iniPath()).lines; }
    QLabel *swatch(int i) const { return dialog->findChild<QLabel *>(QStringLiteral("Label1_%1").arg(i)); }
    QPushButton *button(const char *name) const
    {
        return dialog->findChild<QPushButton *>(QString::fromLatin1(name));
    }
    std::vector<int> bordered() const
    {
        std::vector<int> result;
        for (int i = 0; i < kSwatchCount; ++i)
            if (swatch(i)->frameShape() == QFrame::Box)
                result.push_back(i);
        return result;
    }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(ColourDialogTest, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("画面／ボタン色設定"));
    EXPECT_EQ(button("Command1")->text(), QStringLiteral("確　定"));
    EXPECT_EQ(button("Command3")->text(), QStringLiteral("基本色に戻す"));
    EXPECT_EQ(button("Command2")->text(), QStringLiteral("閉じる"));
    auto *screenFrame = dialog->findChild<QGroupBox *>(QStringLiteral("Frame1"));
    auto *buttonFrame = dialog->findChild<QGroupBox *>(QStringLiteral("Frame2"));
    ASSERT_TRUE(screenFrame && buttonFrame);
    EXPECT_EQ(screenFrame->title(), QStringLiteral("画面色設定"));
    EXPECT_EQ(buttonFrame->title(), QStringLiteral("ボタン色設定"));
    for (int i = 0; i < kSwatchCount; ++i) {
        ASSERT_NE(swatch(i), nullptr) << i;
        EXPECT_EQ(swatch(i)->parentWidget(), i < 8 ? screenFrame : buttonFrame) << i;
    }
    EXPECT_TRUE(bordered().empty());
}

// Sized from the font, not in twips: one size for all, eight in a row, 0 to 7
// left to right in the screen frame, 15 down to 8 in the button frame.
TEST_F(ColourDialogTest, SwatchesLieInTwoRowsInTheirOrder)
{
    dialog->show();
    const int rowOrder[2][8] = {{0, 1, 2, 3, 4, 5, 6, 7}, {15, 14, 13, 12, 11, 10, 9, 8}};
    for (const auto &row : rowOrder) {
        for (int column = 0; column < 8; ++column) {
            const QRect at = swatch(row[column])->geometry();
            EXPECT_EQ(at.size(), swatch(0)->size()) << "swatch " << row[column];
            EXPECT_EQ(at.top(), swatch(row[0])->geometry().top()) << "swatch " << row[column];
            if (column > 0) {
                EXPECT_GT(at.left(), swatch(row[column - 1])->geometry().right()) << "swatch " << row[column];
            }
        }
    }
    EXPECT_GE(swatch(0)->height(), 2 * swatch(0)->fontMetrics().height());
    // Each swatch shows its own colour, whatever the window's colours.
    EXPECT_EQ(swatch(1)->palette().color(QPalette::Window), QColor(255, 192, 192));
    EXPECT_EQ(swatch(14)->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(swatch(15)->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Base));
}

TEST_F(ColourDialogTest, SwatchThreeThenCloseSavesTheScreenColourAfterTheMainWindowIsColoured)
{
    const QStringList before = fileLines();
    dialog->clickSwatch(3);
    button("Command2")->click();
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(returned, 1);
    // The main window was coloured before the file was written.
    EXPECT_EQ(fileWhenApplied, kSettingsBytes);
    const QStringList after = fileLines();
    ASSERT_EQ(after.size(), 15);
    EXPECT_EQ(after[5], QStringLiteral("&HC0FFFF"));
    EXPECT_EQ(after[6], QStringLiteral("&HC0C0FF"));
    QStringList others = after;
    others[5] = before[5];
    EXPECT_EQ(others, before);
    EXPECT_FALSE(dialog->isVisible());
    // "閉じる" only hides: the borders are there at the next opening.
    flushDeletes();
    ASSERT_FALSE(dialog.isNull());
    dialog->show();
    EXPECT_EQ(bordered(), std::vector<int>{3});
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(ColourDialogTest, SwatchNineThenCloseBoxKeepsTheColourInMemoryOnly)
{
    dialog->clickSwatch(9);
    EXPECT_TRUE(dialog->close());
    EXPECT_EQ(state.settings.buttonColour, QStringLiteral("&HFF8080"));
    EXPECT_EQ(test::fileBytes(iniPath()), kSettingsBytes);
    EXPECT_EQ(applied, 0);
    EXPECT_EQ(returned, 1);
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
    // The next opening starts without borders but with the colour in memory.
    dialog = makeDialog();
    EXPECT_TRUE(bordered().empty());
    EXPECT_EQ(button("Command1")->palette().color(QPalette::Button), QColor(128, 128, 255));
}

TEST_F(ColourDialogTest, ResetThenCloseWritesTheStandardColourAsANumber)
{
    dialog->clickSwatch(4);
    button("Command3")->click();
    EXPECT_EQ(bordered(), std::vector<int>{4});
    const QColor face = QApplication::palette().color(QPalette::Button);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), face);
    EXPECT_EQ(button("Command2")->palette().color(QPalette::Button), face);
    button("Command2")->click();
    const QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[5], QStringLiteral("-2147483633"));
    EXPECT_EQ(lines[6], QStringLiteral("-2147483633"));
    // Read back, the number is the standard face colour.
    AppState reread;
    reread.programFolder = folder.path();
    settings::Fm1_IniFileRead(reread, services.messages);
    EXPECT_EQ(common::parseColourValue(reread.settings.screenColour), common::kStandardFaceColour);
    EXPECT_EQ(common::parseColourValue(reread.settings.buttonColour), common::kStandardFaceColour);
}

TEST_F(ColourDialogTest, SecondScreenSwatchTakesTheBorderAndTheButtonGroupKeepsItsOwn)
{
    dialog->clickSwatch(11);
    dialog->clickSwatch(2);
    dialog->clickSwatch(5);
    EXPECT_EQ(bordered(), (std::vector<int>{5, 11}));
    EXPECT_EQ(swatch(5)->lineWidth(), 1);
    EXPECT_EQ(swatch(5)->frameShadow(), QFrame::Plain);
}

TEST_F(ColourDialogTest, ClickColoursTheDialogAndLeavesTheSwatchesTheirOwn)
{
    dialog->clickSwatch(3);
    const QColor lightYellow(255, 255, 192);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), lightYellow);
    EXPECT_EQ(dialog->findChild<QGroupBox *>(QStringLiteral("Frame1"))->palette().color(QPalette::Window),
              lightYellow);
    EXPECT_EQ(dialog->findChild<QGroupBox *>(QStringLiteral("Frame2"))->palette().color(QPalette::Window),
              lightYellow);
    for (const char *name : {"Command1", "Command2", "Command3"})
        EXPECT_EQ(button(name)->palette().color(QPalette::Button), QColor(255, 192, 192)) << name;
    EXPECT_EQ(swatch(1)->palette().color(QPalette::Window), QColor(255, 192, 192));
    EXPECT_EQ(swatch(6)->palette().color(QPalette::Window), QColor(192, 192, 255));

    dialog->clickSwatch(13);
    for (const char *name : {"Command1", "Command2", "Command3"})
        EXPECT_EQ(button(name)->palette().color(QPalette::Button), QColor(255, 128, 128)) << name;
    EXPECT_EQ(dialog->palette().color(QPalette::Window), lightYellow);
}

TEST_F(ColourDialogTest, ConfirmAppliesTheColoursInMemory)
{
    state.settings.screenColour = QStringLiteral("&HFF");
    EXPECT_NE(dialog->palette().color(QPalette::Window), QColor(255, 0, 0));
    button("Command1")->click();
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(test::fileBytes(iniPath()), kSettingsBytes);
}

TEST_F(ColourDialogTest, MousePressOnASwatchChoosesIt)
{
    QLabel *label = swatch(10);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(label, &press);
    EXPECT_EQ(bordered(), std::vector<int>{10});
    EXPECT_EQ(state.settings.buttonColour, QStringLiteral("&HFFFF80"));
    // Another mouse button chooses nothing.
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(5, 5), swatch(1)->mapToGlobal(QPointF(5, 5)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(swatch(1), &right);
    EXPECT_EQ(state.settings.screenColour, QStringLiteral("&H8000000F"));
}

} // namespace
} // namespace mokpe::maintenance
