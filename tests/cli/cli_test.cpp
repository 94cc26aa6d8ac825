#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::writeBytes;

const QString kUsageStart = QStringLiteral("usage: mokpe COMMAND [OPTIONS]\n");

TEST(Cli, ReadPrintsTheCardKindAndLineCount)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("履歴.csv"));
    writeBytes(path, cp932(QStringLiteral("利用年月日,種別\r\n2026/11/05,ﾊﾞｽ等,,,,,,1234,\r\n"
                                          "2026/11/04,現金,ﾁｬｰｼﾞ,,,,,1444,\r\n")));
    const test::CliRun run = test::runMokpe({QStringLiteral("read"), path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("card kind: 0\nlines: 3\n"));
    EXPECT_EQ(run.err, QString());
}

TEST(Cli, RefusedFilesExitWithTwoAndTheMessage)
{
    test::TempFolder folder;
    const QString unknown = folder.file(QStringLiteral("a.csv"));
    writeBytes(unknown, "a\r\nb\r\nc\r\nd\r\nEdy\r\n");
    test::CliRun run = test::runMokpe({QStringLiteral("read"), unknown});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(
        run.err,
        QStringLiteral("このファイルは，Siuca／Edyまたは，\n読み込み可能なＣＳＶファイルではありません．\n"));

    const QString empty = folder.file(QStringLiteral("empty.csv"));
    writeBytes(empty, {});
    run = test::runMokpe({QStringLiteral("read"), empty});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("このファイルは，読み込み可能なＣＳＶファイルではありません．\n"));

    run = test::runMokpe({QStringLiteral("read"), folder.file(QStringLiteral("none.csv"))});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(
        run.err.startsWith(QStringLiteral("ファイル「%1」を開けません．\n")
                               .arg(QDir::toNativeSeparators(folder.file(QStringLiteral("none.csv"))))))
        << run.err.toStdString();
}

// What is wrong, then where the usage is: not the whole usage, which would
// bury the one line that matters.
TEST(Cli, WrongArgumentsExitWithOneAndSayWhatIsWrong)
{
    const struct {
        QStringList args;
        QString said;
    } cases[] = {
        {{}, QStringLiteral("mokpe: no command given")},
        {{QStringLiteral("read")}, QStringLiteral("mokpe read: FILE is missing")},
        {{QStringLiteral("read"), QStringLiteral("a.csv"), QStringLiteral("b.csv")},
         QStringLiteral("mokpe read: unexpected argument b.csv")},
        {{QStringLiteral("read"), QStringLiteral("--dir")},
         QStringLiteral("mokpe read: unknown option --dir")},
        // Not a file name: every command refuses a FILE that looks like an option.
        {{QStringLiteral("read"), QStringLiteral("-x")}, QStringLiteral("mokpe read: unknown option -x")},
        {{QStringLiteral("frobnicate")}, QStringLiteral("mokpe: unknown command frobnicate")},
        {{QStringLiteral("--help"), QStringLiteral("extra")},
         QStringLiteral("mokpe: --help takes no arguments")},
        {{QStringLiteral("settings"), QStringLiteral("--dir")},
         QStringLiteral("mokpe settings: --dir needs a value")},
        {{QStringLiteral("settings"), QStringLiteral("--dir"), QString()},
         QStringLiteral("mokpe settings: --dir needs a folder name")},
        {{QStringLiteral("users"), QStringLiteral("--dir"), QString()},
         QStringLiteral("mokpe users: --dir needs a folder name")},
        {{QStringLiteral("settings"), QStringLiteral("extra")},
         QStringLiteral("mokpe settings: unexpected argument extra")},
        {{QStringLiteral("settings"), QStringLiteral("--dirr"), QStringLiteral("x")},
         QStringLiteral("mokpe settings: unknown option --dirr")},
    };
    for (const auto &c : cases) {
        const test::CliRun run = test::runMokpe(c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err, c.said + QStringLiteral("\nTry 'mokpe --help' for more information.\n"))
            << c.args.join(' ').toStdString();
        EXPECT_EQ(run.out, QString());
    }
}

TEST(Cli, HelpAndVersion)
{
    test::CliRun run = test::runMokpe({QStringLiteral("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(kUsageStart));
    EXPECT_TRUE(run.out.contains(QStringLiteral("  read FILE ")));
    EXPECT_EQ(run.err, QString());

    run = test::runMokpe({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("Ver.081030-00\n"));
}

TEST(Cli, SettingsCreatesTheFileOnFirstStart)
{
    test::TempFolder folder;
    test::CliRun run = test::runMokpe({QStringLiteral("settings"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err,
              QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．\n"));
    EXPECT_EQ(run.out, QStringLiteral("0: 0\n1: \n2: \n3: \n4: \n5: &H8000000F\n6: &H8000000F\n7: 1\n8: 0\n"
                                      "9: 000\n10: 0000\n11: 電子未決\n12: 000\n13: 0000\n14: 電子マネー\n"));
    EXPECT_EQ(
        test::fileBytes(folder.file(QStringLiteral("inifile.ini"))),
        cp932(QStringLiteral("0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n000\r\n0000\r\n"
                             "電子未決\r\n000\r\n0000\r\n電子マネー\r\n")));

    // The second run finds the file: no message, same values.
    const test::CliRun again =
        test::runMokpe({QStringLiteral("settings"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(again.err, QString());
    EXPECT_EQ(again.out, run.out);
}

// A write cut short leaves its temporary in the program folder: every command
// that starts in the folder removes it, and nothing of the user's there.
TEST(Cli, EveryStartRemovesWhatWritesCutShortLeft)
{
    const QString history = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
    for (const QStringList &command :
         {QStringList{QStringLiteral("settings")}, QStringList{QStringLiteral("users")},
          QStringList{QStringLiteral("accounts")},
          QStringList{QStringLiteral("journal"), history, QStringLiteral("--settle"),
                      QStringLiteral("220")}}) {
        test::ProgramFolderCopy program(QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program"));
        const QDir folder(program.path());
        writeBytes(folder.filePath(QStringLiteral("card_reads.csv.mokpe-XyZ789.tmp")), "left");
        writeBytes(folder.filePath(QStringLiteral("card_reads.csv.bad-20240101-000000")), "kept");
        EXPECT_EQ(test::runMokpe(command + QStringList{QStringLiteral("--dir"), folder.path()}).exitCode, 0);
        EXPECT_EQ(folder.entryList({QStringLiteral("card_reads*")}),
                  QStringList{QStringLiteral("card_reads.csv.bad-20240101-000000")})
            << command.first().toStdString();
    }
}

TEST(Cli, EveryReadOrWriteFailureExitsWithTwo)
{
    test::TempFolder folder;
    const QString vanished = folder.file(QStringLiteral("gone"));
    test::CliRun run = test::runMokpe({QStringLiteral("settings"), QStringLiteral("--dir"), vanished});
    EXPECT_EQ(run.exitCode, 2);
    // Told as the folder it is, not as a settings file that could not be made.
    EXPECT_EQ(run.err, QStringLiteral("プログラムのフォルダー「%1」がありません．\n")
                           .arg(QDir::toNativeSeparators(vanished)));
    EXPECT_TRUE(run.out.isEmpty());

    writeBytes(folder.file(QStringLiteral("inifile.ini")), "0\r\n\x81\x20\r\n");
    run = test::runMokpe({QStringLiteral("settings"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    // The command stops: it does not say it goes on.
    EXPECT_TRUE(run.err.contains(QStringLiteral("読み込めないため，中止しました．")))
        << run.err.toStdString();

    QFile::remove(folder.file(QStringLiteral("inifile.ini")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("person.csv")));
    run = test::runMokpe({QStringLiteral("users"), QStringLiteral("--dir"), folder.path()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.out.isEmpty());
}

} // namespace
} // namespace mokpe::cli
