#include "maintenance/account_code_save.h"

#include "maintenance/account_file_texts.h"
#include "maintenance/code_system_detection.h"
#include "maintenance/default_account_sets.h"

#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include "common/text_file.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

struct AccountCodeSaveTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    AccountCodeSaveTest()
    {
        state.programFolder = folder.path();
        writeBytes(iniPath(), "3\r\nC01\r\n\r\n\r\n\r\n&HC0C0FF\r\n&H8000000F\r\n0\r\n0\r\n000\r\n0000\r\n"
                              "old\r\n000\r\n0000\r\nold2\r\n");
        settings::Fm1_IniFileRead(state, messages);
        messages.shown.clear();
    }
    QString csvPath() const { return folder.file(QStringLiteral("kamoku_code.csv")); }
    QString iniPath() const { return folder.file(QStringLiteral("inifile.ini")); }
};

TEST_F(AccountCodeSaveTest, SavingTheWSetWritesEighteenLinesAndTheFixedAccountsIntoTheSettings)
{
    state.codeSystemState = 0;
    const AccountEditorContents contents = loadDefaultSet(state, DefaultAccountSet::WCodes);
    ASSERT_TRUE(Fm8_KamokuSave(state, contents, messages));
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(fileBytes(csvPath()), cp932(test::kWCodeFileText));
    EXPECT_EQ(fileBytes(csvPath()).count("\r\n"), 18);
    // The code system in force (0) is not the set loaded (1): the format choice goes back to "0".
    EXPECT_EQ(fileBytes(iniPath()),
              cp932(QStringLiteral("0\r\nC01\r\n\r\n\r\n\r\n&HC0C0FF\r\n&H8000000F\r\n0\r\n0\r\n"
                                   "186\r\n1882\r\n電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));
    EXPECT_EQ(state.accounts.lines, common::splitLines(test::kWCodeFileText));
    EXPECT_EQ(state.accounts.lastIndex, 17);
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("0"));
    EXPECT_EQ(state.settings.unsettledAccount, (AccountTriple{"186", "1882", QStringLiteral("電子未決")}));
    EXPECT_EQ(state.settings.emoneyAccount, (AccountTriple{"113", "1131", QStringLiteral("電子マネー")}));
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral("電子マネー"));
    // The code system follows the saved table at once.
    EXPECT_EQ(state.codeSystemState, 1);
}

TEST_F(AccountCodeSaveTest, TheFormatChoiceStaysWhenTheCodeSystemIsTheSetLoadedLast)
{
    state.codeSystemState = 0;
    const AccountEditorContents contents = loadDefaultSet(state, DefaultAccountSet::FuurinCodes);
    ASSERT_TRUE(Fm8_KamokuSave(state, contents, messages));
    EXPECT_EQ(fileBytes(csvPath()), cp932(test::kFuurinCodeFileText));
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("3"));
    EXPECT_TRUE(fileBytes(iniPath()).startsWith("3\r\n"));
}

TEST_F(AccountCodeSaveTest, RowsAreWrittenAsEnteredAndARowLikeAFixedAccountTwice)
{
    state.codeSystemState = 1;
    state.accountEditorDefaultSet = 1;
    AccountEditorContents contents;
    contents.unsettled = {"", "", QStringLiteral("未決")};
    contents.emoney = {"113", "1131", QStringLiteral("電子マネー")};
    contents.rows = {{"113", "1131", QStringLiteral("電子マネー")},
                     {"842", "", QStringLiteral("旅費,交通費, 他 ")},
                     {"0001", "x", QString()}};
    ASSERT_TRUE(Fm8_KamokuSave(state, contents, messages));
    EXPECT_EQ(fileBytes(csvPath()),
              cp932(QStringLiteral(",,未決\r\n113,1131,電子マネー\r\n113,1131,電子マネー\r\n"
                                   "842,,旅費,交通費, 他 \r\n0001,x,\r\n")));
    EXPECT_EQ(state.accounts.lastIndex, 4);
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("3"));
}

TEST_F(AccountCodeSaveTest, ARefusedSaveChangesNothing)
{
    writeBytes(csvPath(), "1,2,old\r\n");
    state.accounts.lines = {QStringLiteral("1,2,old")};
    state.accounts.lastIndex = 0;
    state.codeSystemState = 1;
    const QByteArray iniBefore = fileBytes(iniPath());
    const SettingsRecord settingsBefore = state.settings;

    AccountEditorContents contents = defaultSetContents(DefaultAccountSet::WCodes);
    contents.unsettled.code3 = QStringLiteral("18600");
    EXPECT_FALSE(Fm8_KamokuSave(state, contents, messages));
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral(
                  "「電子マネー未決済勘定」欄のコードは\r\n半角数字４桁以内のみ入力して下さい．")});
    EXPECT_EQ(fileBytes(csvPath()), QByteArray("1,2,old\r\n"));
    EXPECT_EQ(fileBytes(iniPath()), iniBefore);
    EXPECT_EQ(state.accounts.lines, QStringList{QStringLiteral("1,2,old")});
    EXPECT_EQ(state.accounts.lastIndex, 0);
    EXPECT_EQ(state.settings.unsettledAccount, settingsBefore.unsettledAccount);
    EXPECT_EQ(state.settings.formatChoice, settingsBefore.formatChoice);
}

TEST_F(AccountCodeSaveTest, ACharacterTheFileCannotHoldIsReportedAndNothingChanges)
{
    writeBytes(csvPath(), "1,2,old\r\n");
    const QByteArray iniBefore = fileBytes(iniPath());
    const SettingsRecord settingsBefore = state.settings;
    AccountEditorContents contents = defaultSetContents(DefaultAccountSet::WCodes);
    contents.rows[3].name = QStringLiteral("交際\u00e9費");
    EXPECT_FALSE(Fm8_KamokuSave(state, contents, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．\r\n")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("6行目12文字目")));
    EXPECT_EQ(fileBytes(csvPath()), QByteArray("1,2,old\r\n"));
    EXPECT_EQ(fileBytes(iniPath()), iniBefore);
    EXPECT_EQ(state.settings.emoneyAccount, settingsBefore.emoneyAccount);
    EXPECT_TRUE(state.accounts.lines.isEmpty());
}

TEST_F(AccountCodeSaveTest, AFailedWriteIsReportedAndNothingChanges)
{
    // A folder in the file's place cannot be replaced, whoever runs the test.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("kamoku_code.csv")));
    const QByteArray iniBefore = fileBytes(iniPath());
    EXPECT_FALSE(Fm8_KamokuSave(state, defaultSetContents(DefaultAccountSet::WCodes), messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．\r\nファイル「")));
    EXPECT_TRUE(QFileInfo(csvPath()).isDir());
    EXPECT_EQ(fileBytes(iniPath()), iniBefore);
    EXPECT_EQ(state.settings.unsettledAccount.name, QStringLiteral("old"));
    EXPECT_TRUE(state.accounts.lines.isEmpty());
}

TEST_F(AccountCodeSaveTest, WhenTheSettingsCannotFollowTheOldTableGoesBack)
{
    const struct {
        QByteArray oldTable; // empty: there was none
    } cases[] = {{"1,2,old\r\n"}, {QByteArray()}};
    for (const auto &c : cases) {
        if (c.oldTable.isEmpty())
            QFile::remove(csvPath());
        else
            writeBytes(csvPath(), c.oldTable);
        // A folder in the settings file's place cannot be replaced, whoever runs the test.
        QFile::remove(iniPath());
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("inifile.ini")));
        const SettingsRecord settingsBefore = state.settings;
        messages.shown.clear();

        EXPECT_FALSE(Fm8_KamokuSave(state, defaultSetContents(DefaultAccountSet::WCodes), messages));
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(
            QStringLiteral("設定ファイル(inifile.ini)を保存できませんでした．")));
        EXPECT_EQ(messages.shown[1].text,
                  QStringLiteral("設定ファイル(inifile.ini)を保存できなかったため，"
                                 "科目コード設定ファイル(kamoku_code.csv)も元に戻しました．"));
        EXPECT_EQ(fileBytes(csvPath()), c.oldTable.isEmpty() ? QByteArray("<missing>") : c.oldTable);
        EXPECT_EQ(state.settings.unsettledAccount, settingsBefore.unsettledAccount);
        EXPECT_TRUE(state.accounts.lines.isEmpty());
        QDir(folder.file(QStringLiteral("inifile.ini"))).removeRecursively();
    }
}

} // namespace
} // namespace mokpe::maintenance
