#include "app/program_start.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::app {
namespace {

using test::cp932;
using test::writeBytes;

struct ProgramStartTest : ::testing::Test {
    test::TempFolder folder;
    test::ScriptedServices scripted;
    AppState state;
    ProgramStartTest()
    {
        state.programFolder = folder.path();
        // What a previous run in the same process may have left.
        state.summaryPrefix = QStringLiteral("No.1: 前の人，");
        state.history.cardKind = MoneyReport;
        scripted.system.version = 6.1;
    }
};

TEST_F(ProgramStartTest, FirstStartTellsWhatIsMissing)
{
    programStart(state, scripted.services());
    EXPECT_EQ(
        scripted.messages.texts(),
        (QStringList{
            QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．"),
            QStringLiteral("使用者設定ファイル(person.csv)がありません．\r\n"
                           "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．"),
            QStringLiteral("科目種類の設定は，\r\n\r\n「メンテナンス」→「科目コード設定」→「初回読込み」"
                           "欄より\r\n\r\n選択して下さい．")}));
    EXPECT_EQ(state.codeSystemState, -1);
    EXPECT_TRUE(state.summaryPrefix.isEmpty());
    EXPECT_EQ(state.history.cardKind, TransitCard);
    EXPECT_EQ(state.osMajorVersion, 6);
}

TEST_F(ProgramStartTest, FormatChoiceFixesTheDetectedCodeSystem)
{
    // Format 2 belongs to the Ｗ code system whatever table is in force.
    writeBytes(
        folder.file(QStringLiteral("inifile.ini")),
        cp932(QStringLiteral("2\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n000\r\n0000\r\n"
                             "電子未決\r\n000\r\n0000\r\n電子マネー\r\n")));
    writeBytes(folder.file(QStringLiteral("kamoku_code.csv")),
               cp932(QStringLiteral("111,1111,電子未決\r\n112,1112,電子マネー\r\n")));
    writeBytes(folder.file(QStringLiteral("person.csv")), cp932(QStringLiteral("山田\r\n鈴木\r\n")));
    programStart(state, scripted.services());
    EXPECT_TRUE(scripted.messages.shown.empty()) << scripted.messages.texts().join('|').toStdString();
    EXPECT_EQ(state.codeSystemState, 1);
    EXPECT_EQ(state.accounts.lines.size(), 2);
    EXPECT_EQ(state.users.entries, (QStringList{QStringLiteral("山田"), QStringLiteral("鈴木")}));
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral("電子マネー"));
}

} // namespace
} // namespace mokpe::app
