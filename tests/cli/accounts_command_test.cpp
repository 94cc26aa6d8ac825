#include "maintenance/account_file_texts.h"

#include "support/cli_runner.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

namespace mokpe {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

// What the command prints for a table: the code system, then the lines.
QString printed(int codeSystem, const QString &fileText)
{
    QString text = fileText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("code system: %1\n").arg(codeSystem) + text;
}

TEST(AccountsCommand, WithNoFilesItSaysSoAndPrintsNoCodeSystem)
{
    test::TempFolder folder;
    const test::CliRun run =
        test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("code system: -1\n"));
    EXPECT_EQ(
        run.err,
        QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．\n"
                       "科目種類の設定は，\n\n「メンテナンス」→「科目コード設定」→「初回読込み」欄より\n\n"
                       "選択して下さい．\n"));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("kamoku_code.csv"))));
}

TEST(AccountsCommand, LoadingTheWSetSavesItAndDetectsIt)
{
    test::TempFolder folder;
    const test::CliRun run = test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--load"),
                                             QStringLiteral("w"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv"))), cp932(test::kWCodeFileText));
    EXPECT_EQ(run.out, printed(1, test::kWCodeFileText));
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("inifile.ini"))),
              cp932(QStringLiteral("0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n"
                                   "186\r\n1882\r\n電子未決\r\n113\r\n1131\r\n電子マネー\r\n")));

    // The next start finds the W table.
    const test::CliRun again =
        test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.out, printed(1, test::kWCodeFileText));
    EXPECT_TRUE(again.err.isEmpty()) << again.err.toStdString();
}

TEST(AccountsCommand, LoadingTheFuurinSetOverAWTableGivesTheFuurinCodeSystem)
{
    test::TempFolder folder;
    writeBytes(folder.file(QStringLiteral("kamoku_code.csv")), cp932(test::kWCodeFileText));
    writeBytes(folder.file(QStringLiteral("inifile.ini")),
               "1\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n186\r\n1882\r\n"
               "x\r\n113\r\n1131\r\ny\r\n");
    const test::CliRun run = test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--dir"),
                                             folder.path(), QStringLiteral("--load"), QStringLiteral("kai")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv"))), cp932(test::kFuurinCodeFileText));
    EXPECT_EQ(run.out, printed(0, test::kFuurinCodeFileText));
    // The W code system was in force and the 楓林 set was loaded: no format is chosen any more.
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("inifile.ini"))),
              cp932(QStringLiteral("0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n"
                                   "186\r\n1800\r\n仕訳未決定\r\n113\r\n1412\r\n仮払金\r\n")));
}

TEST(AccountsCommand, AMalformedTableIsSetAsideAtStart)
{
    test::TempFolder folder;
    writeBytes(folder.file(QStringLiteral("inifile.ini")),
               "3\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    writeBytes(folder.file(QStringLiteral("kamoku_code.csv")), "1,2,a\r\n\r\n3,4,b\r\n");
    const test::CliRun run =
        test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    const QStringList aside =
        QDir(folder.path()).entryList({QStringLiteral("kamoku_code.csv.bad-*")}, QDir::Files);
    ASSERT_EQ(aside.size(), 1);
    EXPECT_EQ(fileBytes(folder.file(aside.at(0))), "1,2,a\r\n\r\n3,4,b\r\n");
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("科目コード設定ファイル(kamoku_code.csv)の2行目が"
                                                  "「コード,コード,科目名」の形ではありません．\n"
                                                  "このファイルは「%1」という名前で残し，中止しました．\n")
                                       .arg(aside.at(0))))
        << run.err.toStdString();
}

TEST(AccountsCommand, WhenTheSettingsCannotBeSavedTheTableStaysAsItWas)
{
    test::TempFolder folder;
    writeBytes(folder.file(QStringLiteral("kamoku_code.csv")), "1,2,a\r\n");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("inifile.ini")));
    const test::CliRun run = test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--load"),
                                             QStringLiteral("w"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv"))), "1,2,a\r\n");
}

TEST(AccountsCommand, ASaveThatFailsIsRefused)
{
    test::TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("kamoku_code.csv")));
    const test::CliRun run = test::runMokpe({QStringLiteral("accounts"), QStringLiteral("--load"),
                                             QStringLiteral("w"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    // The start-up could not read it either, and left it where it is.
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("kamoku_code.csv"))).isDir());
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．")))
        << run.err.toStdString();
}

TEST(AccountsCommand, BadArgumentsAreAUsageError)
{
    test::TempFolder folder;
    const QStringList bad[] = {
        {QStringLiteral("accounts"), QStringLiteral("--load"), QStringLiteral("x"), QStringLiteral("--dir"),
         folder.path()},
        {QStringLiteral("accounts"), QStringLiteral("--load"), QStringLiteral("--dir"), folder.path()},
        {QStringLiteral("accounts"), QStringLiteral("--dir")},
        {QStringLiteral("accounts"), QStringLiteral("extra"), QStringLiteral("--dir"), folder.path()},
    };
    for (const QStringList &args : bad) {
        const test::CliRun run = test::runMokpe(args);
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("mokpe accounts: "))) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.endsWith(QStringLiteral("\nTry 'mokpe --help' for more information.\n")));
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
} // namespace mokpe
