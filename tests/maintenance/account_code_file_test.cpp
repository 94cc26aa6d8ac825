#include "maintenance/account_code_file.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::writeBytes;

struct AccountCodeFileTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    AccountCodeFileTest() { state.programFolder = folder.path(); }
    QString csvPath() const { return folder.file(QStringLiteral("kamoku_code.csv")); }
};

TEST_F(AccountCodeFileTest, MissingFileLeavesOneEmptyLineAndTheCodeSystemAsItWas)
{
    state.accounts.lines = {QStringLiteral("1,2,a"), QStringLiteral("3,4,b")};
    state.accounts.lastIndex = 1;
    state.codeSystemState = 1;
    KamokuFileRead(state, messages);
    EXPECT_EQ(state.accounts.lines, QStringList{QString()});
    EXPECT_EQ(state.accounts.lastIndex, 0);
    EXPECT_EQ(state.codeSystemState, 1);
    EXPECT_EQ(messages.texts(),
              QStringList{QStringLiteral("科目コード設定ファイル(kamoku_code.csv)がありません．\r\n"
                                         "最初にメンテナンス画面から，科目コード設定画面の，"
                                         "「初回読込み」欄の科目コード設定を行って下さい．")});
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("モコペ！"));
}

TEST_F(AccountCodeFileTest, ReadsEveryLineAsItStandsAndDetectsTheCodeSystem)
{
    writeBytes(csvPath(), cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n"
                                               "842,8471, 旅費,交通費 \r\n854,,運賃\r\n")));
    state.codeSystemState = -1;
    KamokuFileRead(state, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.accounts.lines,
              (QStringList{QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                           QStringLiteral("842,8471, 旅費,交通費 "), QStringLiteral("854,,運賃")}));
    EXPECT_EQ(state.accounts.lastIndex, 3);
    EXPECT_EQ(state.codeSystemState, 1);
}

TEST_F(AccountCodeFileTest, AnEmptyFileGivesAnEmptyTableAndTheFuurinCodeSystem)
{
    writeBytes(csvPath(), QByteArray());
    state.codeSystemState = 1;
    KamokuFileRead(state, messages);
    EXPECT_TRUE(state.accounts.lines.isEmpty());
    EXPECT_EQ(state.accounts.lastIndex, -1);
    EXPECT_EQ(state.codeSystemState, 0);
}

TEST_F(AccountCodeFileTest, TheFileIsLookedForInTheProgramFolderOnly)
{
    QDir(folder.path()).mkdir(QStringLiteral("other"));
    writeBytes(folder.file(QStringLiteral("other/kamoku_code.csv")), "1,2,x\r\n");
    writeBytes(csvPath(), "9,9,y\r\n");
    KamokuFileRead(state, messages);
    EXPECT_EQ(state.accounts.lines, QStringList{QStringLiteral("9,9,y")});
    EXPECT_EQ(settings::accountCodeFilePath(state), csvPath());
}

TEST_F(AccountCodeFileTest, UnreadableFileIsReportedAndTheTableKept)
{
    writeBytes(csvPath(), "186,1882,a\r\n113,1131,\x81\x20\r\n");
    state.accounts.lines = {QStringLiteral("1,2,a")};
    state.accounts.lastIndex = 0;
    state.codeSystemState = 1;
    KamokuFileRead(state, messages);
    EXPECT_EQ(state.accounts.lines, QStringList{QStringLiteral("1,2,a")});
    EXPECT_EQ(state.accounts.lastIndex, 0);
    EXPECT_EQ(state.codeSystemState, 1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("2行目")));
    EXPECT_TRUE(messages.shown[0].text.endsWith(
        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を読み込めませんでした．")));
}

} // namespace
} // namespace mokpe::maintenance
