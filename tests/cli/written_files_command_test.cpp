// A run that could not write everything it meant to (its output, the card's
// read store, the export's settings) ends with status 2, and says which files
// it wrote and which it did not; whatever stands in a store's place is never
// replaced without a word.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/file_kinds.h"
#include "support/full_disk.h"
#include "support/program_folder_copy.h"

#include "settings/program_files.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QString kHistory = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
// The history gives no card ID: its read is booked in the first user's store.
const QStringList kSettle{QStringLiteral("--settle"), QStringLiteral("220"), QStringLiteral("--user"),
                          QStringLiteral("1")};

QString written(const QString &path)
{
    return QStringLiteral("書き込んだファイル：「%1」").arg(QDir::toNativeSeparators(path));
}

QString notWritten(const QString &path)
{
    return QStringLiteral("書き込んでいないファイル：「%1」").arg(QDir::toNativeSeparators(path));
}

// Something other than a file where the card's store goes: the journal is
// done, the store is not, and the run says so.
TEST(WrittenFilesCommand, AStoreThatCannotBeWrittenIsToldAndEndsWithStatus2)
{
    const struct {
        const char *what;
        bool fifo;
        // Part of the message about the store.
        QString reason;
    } cases[] = {
        {"folder", false, QStringLiteral("ファイルではなく，フォルダーです．")},
        {"pipe", true, QStringLiteral("通常のファイルではありません(パイプやデバイスは読み込めません)．")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        test::ProgramFolderCopy program(kProgramData);
        const QString store = program.file(settings::userReadStoreFileName(QStringLiteral("山田 太郎")));
        if (c.fifo && !test::pipeInFolderUnavailable().isEmpty())
            continue;
        if (c.fifo)
            test::makePipe(store);
        else
            ASSERT_TRUE(QDir().mkdir(store));
        const QString out = program.file(QStringLiteral("journal.csv"));

        // Printed: nothing is booked, so nothing else was meant to be written.
        test::CliRun run = test::runMokpe(
            QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"), program.path()} +
            kSettle);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_TRUE(run.out.contains(QStringLiteral("matched: 0\n")));
        EXPECT_EQ(run.err, QString());

        // Saved: the journal is written, the store is not.
        run = test::runMokpe(QStringList{QStringLiteral("journal"), kHistory, QStringLiteral("--dir"),
                                         program.path(), QStringLiteral("-o"), out} +
                             kSettle);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.err.contains(c.reason)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("今回の読込みは記録されません．")))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("記録し直します"))) << run.err.toStdString();
        EXPECT_TRUE(
            run.err.endsWith(written(out) + QLatin1Char('\n') + notWritten(store) + QLatin1Char('\n')))
            << run.err.toStdString();
        EXPECT_TRUE(QFileInfo(out).isFile());
        const QFileInfo after(store);
        EXPECT_TRUE(c.fifo ? after.exists() && !after.isFile() && !after.isDir() : after.isDir());
    }
}

// A full disk under the program folder: the export on another disk is
// written; the store and the settings are not. Before, the settings' failure
// made the whole run look failed, and the store's failure went unseen.
TEST(WrittenFilesCommand, AnExportWrittenBesideFilesThatWereNotIsToldAsWritten)
{
    test::FullDiskFolder disk;
    if (!disk.onTmpfs())
        GTEST_SKIP() << "a full disk needs a tmpfs of its own (root)";
    const QString program = disk.file(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
    test::copyFiles(kProgramData, program);
    test::TempFolder elsewhere;
    const QString out = elsewhere.file(QStringLiteral("export.csv"));
    disk.makeFull();

    const test::CliRun run =
        test::runMokpe(QStringList{QStringLiteral("export"), kHistory, QStringLiteral("--dir"), program,
                                   QStringLiteral("--format"), QStringLiteral("1"), QStringLiteral("--yes"),
                                   QStringLiteral("-o"), out} +
                       kSettle);
    disk.release();

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(QFileInfo(out).size() > 0);
    const QString store =
        QDir(program).filePath(settings::userReadStoreFileName(QStringLiteral("山田 太郎")));
    const QString settings = QDir(program).filePath(QStringLiteral("inifile.ini"));
    EXPECT_TRUE(run.err.contains(QStringLiteral("前回の読込み記録を保存できません．")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(written(out) + QLatin1Char('\n') + notWritten(store) + QLatin1Char('\n') +
                                 notWritten(settings) + QLatin1Char('\n')))
        << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(store));
}

} // namespace
} // namespace mokpe::cli
