// What the command says when something goes wrong: in Japanese throughout,
// nothing of Qt's own on its way, nothing it does not then do.
#include "common/cp932.h"
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QString kHistory = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
const QStringList kSettle{QStringLiteral("--settle"), QStringLiteral("220"), QStringLiteral("--no-match")};

struct ProgramFolder : test::ProgramFolderCopy {
    ProgramFolder() : ProgramFolderCopy(kProgramData) {}
};

// Without a desktop login there is no runtime folder; Qt's warning about it
// is no message of the report's.
TEST(MessagesCommand, ReportSaysNothingOfAMissingRuntimeFolder)
{
    ProgramFolder program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const test::CliRun run = test::runMokpeWith(
        QStringList{QStringLiteral("report"), kHistory, QStringLiteral("--dir"), program.path(),
                    QStringLiteral("-o"), program.file(QStringLiteral("report.pdf"))} +
            kSettle,
        [] {}, environment);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
}

// A character past the BMP is named by its own code point, with itself.
TEST(MessagesCommand, ACharacterPastTheBmpIsNamedWhole)
{
    ProgramFolder program;
    const QString out = program.file(QStringLiteral("journal.csv"));
    const test::CliRun run = test::runMokpe(
        QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"), program.path(),
                    QStringLiteral("--set"), QStringLiteral("1:6=𠮷野家"), QStringLiteral("-o"), out} +
        kSettle);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("「𠮷」(U+20BB7)"))) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("U+D842"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

// Without --yes the question after the export's check is answered No: the
// command says so, and that the file was not written.
TEST(MessagesCommand, TheExportQuestionIsShownWithItsAnswer)
{
    ProgramFolder program;
    const QString journal = program.file(QStringLiteral("journal.csv"));
    writeBytes(journal, cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                                             "1,2008/07/20,未登録科目,160,電子マネー,160,乗車\r\n")));
    const QString out = program.file(QStringLiteral("out.csv"));
    const QStringList args{
        QStringLiteral("export"), journal, QStringLiteral("--dir"),    program.path(),
        QStringLiteral("-o"),     out,     QStringLiteral("--format"), QStringLiteral("1")};

    test::CliRun run = test::runMokpe(args);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("このまま出力しますか？\n→ いいえ(--yes がないため)：出力しません．\n")))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = test::runMokpe(args + QStringList{QStringLiteral("--yes")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("このまま出力しますか？\n→ はい(--yes)：このまま出力します．\n")))
        << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(out));
}

// A command does not go on where the window would: it does not say it does.
TEST(MessagesCommand, AnUnusableProgramFileStopsTheCommandAndSaysSo)
{
    const struct {
        const char *file;
        QByteArray bytes;
        QString said;
    } cases[] = {
        {"inifile.ini", QByteArray("0\r\n\0\r\n", 6),
         QStringLiteral("設定ファイル(inifile.ini)を読み込めないため，中止しました．")},
        {"kamoku_code.csv", QByteArray("186,1882\r\n"), QStringLiteral("という名前で残し，中止しました．")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ProgramFolder program;
        writeBytes(program.file(QLatin1String(c.file)), c.bytes);
        const test::CliRun run = test::runMokpe(
            QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"), program.path()} +
            kSettle);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("続けます"))) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
    }
}

// A program folder that is not there is told as such, and nothing else is.
TEST(MessagesCommand, AProgramFolderThatIsNotThereIsToldFirst)
{
    test::TempFolder folder;
    const QString missing = folder.file(QStringLiteral("no such folder"));
    const QString file = folder.file(QStringLiteral("a file"));
    writeBytes(file, "x");
    for (const QStringList &command :
         {QStringList{QStringLiteral("journal"), kHistory}, QStringList{QStringLiteral("settings")},
          QStringList{QStringLiteral("users")}, QStringList{QStringLiteral("accounts")}}) {
        SCOPED_TRACE(command.first().toStdString());
        test::CliRun run = test::runMokpe(command + QStringList{QStringLiteral("--dir"), missing});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, QStringLiteral("プログラムのフォルダー「%1」がありません．\n")
                               .arg(QDir::toNativeSeparators(missing)));
        run = test::runMokpe(command + QStringList{QStringLiteral("--dir"), file});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, QStringLiteral(
                               "プログラムのフォルダー「%1」がありません．\n同じ名前のファイルがあります．\n")
                               .arg(QDir::toNativeSeparators(file)));
        EXPECT_FALSE(QFileInfo::exists(missing));
    }
}

} // namespace
} // namespace mokpe::cli
