#include "support/cli_runner.h"
#include "support/file_helpers.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::writeBytes;

// A settings file as the program writes it, so that start-up shows no first-start message.
const QByteArray kSettingsFile =
    "0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n000\r\n0000\r\n"
    "\x93\x64\x8e\x71\x96\xa2\x8c\x88\r\n000\r\n0000\r\n\x93\x64\x8e\x71\x83\x7d\x83\x6c\x81\x5b\r\n";

TEST(UsersCommand, ListsEveryEntryNumberedFromOne)
{
    test::TempFolder folder;
    writeBytes(folder.file(QStringLiteral("inifile.ini")), kSettingsFile);
    writeBytes(folder.file(QStringLiteral("person.csv")), cp932(QStringLiteral("山田,太郎\r\n\r\n鈴木\r\n")));
    const test::CliRun run =
        test::runMokpe({QStringLiteral("users"), QStringLiteral("--dir"), folder.path()}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("1: 山田,太郎\n2: \n3: 鈴木\n"));
    EXPECT_EQ(run.err, QString());
}

TEST(UsersCommand, EmptyFileListsNothing)
{
    test::TempFolder folder;
    writeBytes(folder.file(QStringLiteral("inifile.ini")), kSettingsFile);
    writeBytes(folder.file(QStringLiteral("person.csv")), QByteArray());
    const test::CliRun run =
        test::runMokpe({QStringLiteral("users"), QStringLiteral("--dir"), folder.path()}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QString());
}

TEST(UsersCommand, MissingFileIsReportedAndTheFirstEmptyEntryListed)
{
    test::TempFolder folder;
    const test::CliRun run =
        test::runMokpe({QStringLiteral("users"), QStringLiteral("--dir"), folder.path()}, folder.path());
    EXPECT_EQ(run.exitCode, 0);
    // The last user index is 0 at start, so one of the 12 empty entries is listed.
    EXPECT_EQ(run.out, QStringLiteral("1: \n"));
    EXPECT_EQ(run.err, QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．\n"
                                      "使用者設定ファイル(person.csv)がありません．\n"
                                      "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．\n"));
}

TEST(UsersCommand, UnknownArgumentsAreAUsageError)
{
    test::TempFolder folder;
    for (const QStringList &args : {QStringList{QStringLiteral("users"), QStringLiteral("extra")},
                                    QStringList{QStringLiteral("users"), QStringLiteral("--dir")}}) {
        const test::CliRun run = test::runMokpe(args, folder.path());
        EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_EQ(run.out, QString());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("mokpe users: "))) << run.err.toStdString();
    }
}

} // namespace
} // namespace mokpe::cli
