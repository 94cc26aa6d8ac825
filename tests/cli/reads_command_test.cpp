// Consecutive reads of a card through `mokpe journal`: one golden folder per
// case under tests/data/reads/ (the read store before, the history, the
// arguments, the expected output and messages, the read store after).
#include "support/cli_runner.h"
#include "support/file_helpers.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kReadsDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/reads");
const QString kProgramDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");

void copyFiles(const QString &from, const QString &to)
{
    const QDir source(from);
    for (const QString &name : source.entryList(QDir::Files))
        writeBytes(QDir(to).filePath(name), fileBytes(source.filePath(name)));
}

// The read stores in a folder by name; set-aside copies apart.
QMap<QString, QByteArray> storeFiles(const QString &folder, bool setAside)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("card_reads*")}, QDir::Files)) {
        if (name.contains(QStringLiteral(".bad-")) == setAside)
            files.insert(name, fileBytes(dir.filePath(name)));
    }
    return files;
}

QString textOf(const QString &path)
{
    return QFileInfo::exists(path) ? QString::fromUtf8(fileBytes(path)) : QString();
}

TEST(ReadsCommand, GoldenFolders)
{
    const QStringList cases = QDir(kReadsDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 9);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kReadsDir + QLatin1Char('/') + name);
        test::TempFolder program;
        copyFiles(kProgramDir, program.path());
        copyFiles(dir.filePath(QStringLiteral("store")), program.path());
        const QMap<QString, QByteArray> before = storeFiles(program.path(), false);
        QStringList args = textOf(dir.filePath(QStringLiteral("args.txt"))).split(QLatin1Char('\n'));
        args.removeAll(QString());

        const test::CliRun run =
            test::runMokpe(QStringList{QStringLiteral("journal"), dir.filePath(QStringLiteral("history.csv")),
                                       QStringLiteral("--dir"), program.path()} +
                           args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, textOf(dir.filePath(QStringLiteral("expected_output.txt"))));

        // A damaged store is kept under another name, whole.
        const QMap<QString, QByteArray> setAside = storeFiles(program.path(), true);
        QString err = run.err;
        for (auto it = setAside.begin(); it != setAside.end(); ++it) {
            const QString original = it.key().section(QStringLiteral(".bad-"), 0, 0);
            EXPECT_EQ(it.value(), before.value(original)) << it.key().toStdString();
            err.replace(it.key(), QStringLiteral("{KEPT}"));
        }
        // The golden text holds the folder as {DIR} and Linux's separator.
        err.replace(QDir::toNativeSeparators(program.path()) + QDir::separator(), QStringLiteral("{DIR}/"));
        EXPECT_EQ(err, textOf(dir.filePath(QStringLiteral("expected_err.txt"))));

        QMap<QString, QByteArray> expectedStores;
        const QString expectedDir = dir.filePath(QStringLiteral("expected_store"));
        for (const QString &file : QDir(expectedDir).entryList(QDir::Files))
            expectedStores.insert(file, fileBytes(QDir(expectedDir).filePath(file)));
        EXPECT_EQ(storeFiles(program.path(), false), expectedStores);
    }
}

// A command that failed keeps nothing of its read: run again, it books the
// same journal; once it has done its work, the read is kept.
TEST(ReadsCommand, OnlyACommandThatDidItsWorkKeepsTheRead)
{
    test::TempFolder program;
    copyFiles(kProgramDir, program.path());
    const QString history = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit_unsettled/history.csv");
    const auto run = [&](const QStringList &more) {
        return test::runMokpe(QStringList{QStringLiteral("journal"), history, QStringLiteral("--dir"),
                                          program.path(), QStringLiteral("--settle"), QStringLiteral("300")} +
                              more);
    };
    const test::CliRun failed =
        run({QStringLiteral("-o"), program.file(QStringLiteral("no such folder/j.csv"))});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(storeFiles(program.path(), false).isEmpty());

    const test::CliRun saved = run({QStringLiteral("-o"), program.file(QStringLiteral("j.csv"))});
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_EQ(storeFiles(program.path(), false).keys(), QStringList{QStringLiteral("card_reads.csv")});
    EXPECT_TRUE(run({}).out.endsWith(QStringLiteral("matched: 3\n")));
}

} // namespace
} // namespace mokpe::cli
