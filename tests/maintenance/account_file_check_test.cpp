#include "maintenance/account_file_check.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kNotChosen =
    QStringLiteral("科目種類の設定は，\r\n\r\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より"
                   "\r\n\r\n選択して下さい．");

struct AccountFileCheckTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    const QDateTime now{QDate(2026, 1, 2), QTime(3, 4, 5)};
    AccountFileCheckTest()
    {
        state.programFolder = folder.path();
        state.codeSystemState = -1;
    }
    QString csvPath() const { return folder.file(QStringLiteral("kamoku_code.csv")); }
    QString asidePath() const { return folder.file(QStringLiteral("kamoku_code.csv.bad-20260102-030405")); }
};

TEST_F(AccountFileCheckTest, AMissingFileIsReportedAndNothingIsLoaded)
{
    Fm1_KamokuFileCheck(state, messages, now);
    EXPECT_EQ(messages.texts(), QStringList{kNotChosen});
    EXPECT_TRUE(state.accounts.lines.isEmpty());
    EXPECT_EQ(state.accounts.lastIndex, -1);
    EXPECT_EQ(state.codeSystemState, -1);
}

TEST_F(AccountFileCheckTest, AWellFormedFileIsLoadedAndTheCodeSystemDetected)
{
    const QByteArray bytes =
        cp932(QStringLiteral("186,1882,電子未決\r\n113,1131,電子マネー\r\n842,8471,旅費交通費\r\n"));
    writeBytes(csvPath(), bytes);
    Fm1_KamokuFileCheck(state, messages, now);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.accounts.lastIndex, 2);
    EXPECT_EQ(state.accounts.lines.at(2), QStringLiteral("842,8471,旅費交通費"));
    EXPECT_EQ(state.codeSystemState, 1);
    EXPECT_EQ(fileBytes(csvPath()), bytes);
}

TEST_F(AccountFileCheckTest, AFileWithoutAFinalLineEndIsWellFormed)
{
    writeBytes(csvPath(), "1,2,a\r\n3,4,b");
    Fm1_KamokuFileCheck(state, messages, now);
    EXPECT_EQ(state.accounts.lines, (QStringList{QStringLiteral("1,2,a"), QStringLiteral("3,4,b")}));
    EXPECT_EQ(state.codeSystemState, 0);
}

TEST_F(AccountFileCheckTest, AMalformedFileIsSetAsideWithItsNameAndCountsAsMissing)
{
    const struct {
        QByteArray bytes;
        int badLine;
    } cases[] = {
        {"1,2,a\r\n\r\n3,4,b\r\n", 2}, // an empty line inside
        {"1,2,a\r\n3,4\r\n", 2},       // one comma
        {"1;2;a\r\n", 1},              // no comma at all
    };
    for (const auto &c : cases) {
        test::TempFolder caseFolder;
        AppState caseState;
        caseState.programFolder = caseFolder.path();
        caseState.codeSystemState = -1;
        test::ScriptedMessages caseMessages;
        const QString path = caseFolder.file(QStringLiteral("kamoku_code.csv"));
        writeBytes(path, c.bytes);
        EXPECT_FALSE(Fm1_KamokuFileCheck(caseState, caseMessages, now));
        ASSERT_EQ(caseMessages.shown.size(), 1u) << c.bytes.toStdString();
        EXPECT_EQ(caseMessages.shown[0].text,
                  QStringLiteral("科目コード設定ファイル(kamoku_code.csv)の%1行目が「コード,コード,"
                                 "科目名」の形ではありません．"
                                 "\r\nこのファイルは「kamoku_code.csv.bad-20260102-030405」という名前で残し，"
                                 "使用せずに続けます．\r\n")
                          .arg(c.badLine) +
                      kNotChosen);
        EXPECT_FALSE(QFileInfo::exists(path)) << c.bytes.toStdString();
        EXPECT_EQ(fileBytes(caseFolder.file(QStringLiteral("kamoku_code.csv.bad-20260102-030405"))), c.bytes);
        EXPECT_TRUE(caseState.accounts.lines.isEmpty());
        EXPECT_EQ(caseState.codeSystemState, -1);

        // From then on it counts as missing.
        caseMessages.shown.clear();
        EXPECT_TRUE(Fm1_KamokuFileCheck(caseState, caseMessages, now));
        EXPECT_EQ(caseMessages.texts(), QStringList{kNotChosen});
    }
}

TEST_F(AccountFileCheckTest, BlankLinesAtTheEndAreNotAccountLines)
{
    writeBytes(csvPath(), "1,2,a\r\n3,4,b\r\n\r\n  \r\n\r\n");
    EXPECT_TRUE(Fm1_KamokuFileCheck(state, messages, now));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.accounts.lines, (QStringList{QStringLiteral("1,2,a"), QStringLiteral("3,4,b")}));
    EXPECT_EQ(state.accounts.lastIndex, 1);
    EXPECT_TRUE(QFileInfo::exists(csvPath()));
}

TEST_F(AccountFileCheckTest, ASetAsideNameInUseGetsASuffix)
{
    writeBytes(asidePath(), "earlier");
    writeBytes(csvPath(), "1;2\r\n");
    Fm1_KamokuFileCheck(state, messages, now);
    EXPECT_EQ(fileBytes(asidePath()), "earlier");
    EXPECT_EQ(fileBytes(asidePath() + QStringLiteral("-2")), "1;2\r\n");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("「kamoku_code.csv.bad-20260102-030405-2」")));
}

TEST_F(AccountFileCheckTest, AnUnreadableFileIsReportedAndKeptUnderAnotherName)
{
    const QByteArray bytes = "186,1882,a\r\n113,1131,\x81\x20\r\n";
    writeBytes(csvPath(), bytes);
    Fm1_KamokuFileCheck(state, messages, now);
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString text = messages.shown[0].text;
    EXPECT_TRUE(text.contains(QStringLiteral("の2行目に，読み込めない文字があります．\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(
        "このファイルは「kamoku_code.csv.bad-20260102-030405」という名前で残し，使用せずに続けます．")));
    EXPECT_TRUE(text.endsWith(kNotChosen));
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
    EXPECT_EQ(fileBytes(asidePath()), bytes);
    EXPECT_TRUE(state.accounts.lines.isEmpty());
    EXPECT_EQ(state.codeSystemState, -1);
}

TEST_F(AccountFileCheckTest, AFolderInTheFilesPlaceIsReportedAndLeftAlone)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("kamoku_code.csv")));
    Fm1_KamokuFileCheck(state, messages, now);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(
        QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を使用せずに続けます．\r\n")));
    EXPECT_TRUE(QFileInfo(csvPath()).isDir());
    EXPECT_FALSE(QFileInfo::exists(asidePath()));
    EXPECT_EQ(state.codeSystemState, -1);
}

TEST_F(AccountFileCheckTest, AnEmptyFileIsAnEmptyTable)
{
    writeBytes(csvPath(), QByteArray());
    Fm1_KamokuFileCheck(state, messages, now);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.accounts.lastIndex, -1);
    EXPECT_EQ(state.codeSystemState, 0);
    EXPECT_TRUE(QFileInfo::exists(csvPath()));
}

} // namespace
} // namespace mokpe::maintenance
