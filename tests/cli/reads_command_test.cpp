// Consecutive reads of a card through `mokpe journal`: one golden folder per
// case under tests/data/reads/ (the read store before, the history, the
// arguments, the expected output and messages, the read store after).
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/program_folder_copy.h"

#include "common/cp932.h"
#include "settings/program_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::copyFiles;
using test::cp932;
using test::fileBytes;
using test::writeBytes;

const QString kReadsDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/reads");
const QString kProgramDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
// The histories here give no card ID: they are the first listed user's card.
QString userStore()
{
    return settings::userReadStoreFileName(QStringLiteral("山田 太郎"));
}
const QStringList kFirstUser{QStringLiteral("--user"), QStringLiteral("1")};

// The read stores in a folder by name; set-aside copies apart, locks left out.
QMap<QString, QByteArray> storeFiles(const QString &folder, bool setAside)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({QStringLiteral("card_reads*"), QStringLiteral("user_reads*")}, QDir::Files)) {
        if (name.contains(QStringLiteral(".bad-")) == setAside && !name.endsWith(QStringLiteral(".lock")))
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
    ASSERT_GE(cases.size(), 12);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kReadsDir + QLatin1Char('/') + name);
        test::ProgramFolderCopy program(kProgramDir);
        copyFiles(dir.filePath(QStringLiteral("store")), program.path());
        const QMap<QString, QByteArray> before = storeFiles(program.path(), false);
        QStringList args = textOf(dir.filePath(QStringLiteral("args.txt"))).split(QLatin1Char('\n'));
        args.removeAll(QString());
        const QStringList journal =
            QStringList{QStringLiteral("journal"), dir.filePath(QStringLiteral("history.csv")),
                        QStringLiteral("--dir"), program.path()} +
            args;
        // The golden text holds the folder as {DIR} and Linux's separator.
        const auto withFolder = [&program](QString err) {
            return err.replace(QDir::toNativeSeparators(program.path()) + QDir::separator(),
                               QStringLiteral("{DIR}/"));
        };

        // Printed, the journal books nothing.
        const test::CliRun printed = test::runMokpe(journal);
        EXPECT_EQ(storeFiles(program.path(), false), before);
        EXPECT_TRUE(storeFiles(program.path(), true).isEmpty());
        // A read with nothing new opens no journal.
        const QString expectedOutput = dir.filePath(QStringLiteral("expected_output.txt"));
        if (!QFile::exists(expectedOutput)) {
            EXPECT_EQ(printed.exitCode, 2);
            EXPECT_EQ(printed.out, QString());
            EXPECT_EQ(withFolder(printed.err), textOf(dir.filePath(QStringLiteral("expected_err.txt"))));
            continue;
        }
        EXPECT_EQ(printed.exitCode, 0);
        EXPECT_EQ(printed.out, textOf(expectedOutput));
        // What the comparison says, before anything is booked.
        EXPECT_EQ(printed.err, textOf(dir.filePath(QStringLiteral("expected_printed_err.txt"))));

        // Saved, it books the read.
        const test::CliRun saved = test::runMokpe(
            journal + QStringList{QStringLiteral("-o"), program.file(QStringLiteral("j.csv"))});
        EXPECT_EQ(saved.exitCode, 0);
        // A damaged store is kept under another name, whole.
        const QMap<QString, QByteArray> setAside = storeFiles(program.path(), true);
        QString err = saved.err;
        for (auto it = setAside.begin(); it != setAside.end(); ++it) {
            const QString original = it.key().section(QStringLiteral(".bad-"), 0, 0);
            EXPECT_EQ(it.value(), before.value(original)) << it.key().toStdString();
            err.replace(it.key(), QStringLiteral("{KEPT}"));
        }
        EXPECT_EQ(withFolder(err), textOf(dir.filePath(QStringLiteral("expected_err.txt"))));

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
    test::ProgramFolderCopy program(kProgramDir);
    const QString history = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit_unsettled/history.csv");
    const auto run = [&](const QStringList &more) {
        return test::runMokpe(QStringList{QStringLiteral("journal"), history, QStringLiteral("--dir"),
                                          program.path(), QStringLiteral("--settle"), QStringLiteral("300")} +
                              kFirstUser + more);
    };
    const test::CliRun failed =
        run({QStringLiteral("-o"), program.file(QStringLiteral("no such folder/j.csv"))});
    EXPECT_EQ(failed.exitCode, 2);
    EXPECT_TRUE(storeFiles(program.path(), false).isEmpty());

    const test::CliRun saved = run({QStringLiteral("-o"), program.file(QStringLiteral("j.csv"))});
    EXPECT_EQ(saved.exitCode, 0);
    EXPECT_EQ(storeFiles(program.path(), false).keys(), QStringList{userStore()});
    // Booked: read again, nothing of it is new.
    EXPECT_EQ(run({}).exitCode, 2);
}

QStringList journalArguments(const QString &history, const test::ProgramFolderCopy &program)
{
    return QStringList{QStringLiteral("journal"),  history,
                       QStringLiteral("--dir"),    program.path(),
                       QStringLiteral("--settle"), QStringLiteral("100")} +
           kFirstUser;
}

// Another program in the middle of its read of the card holds the store's
// lock: a second one waits for it, then meets the store as the first one left
// it, instead of booking what the first one has just kept.
TEST(ReadsCommand, ASecondProgramWaitsForTheFirstOnesRead)
{
    const QDir overlap(kReadsDir + QStringLiteral("/overlap_one"));
    test::ProgramFolderCopy program(kProgramDir);
    QLockFile first(program.file(userStore() + QStringLiteral(".lock")));
    ASSERT_TRUE(first.tryLock());

    QProcess second;
    second.start(QStringLiteral(MOKPE_CLI_PATH),
                 QStringList{QStringLiteral("journal"), overlap.filePath(QStringLiteral("history.csv")),
                             QStringLiteral("--dir"), program.path()} +
                     textOf(overlap.filePath(QStringLiteral("args.txt"))).split('\n', Qt::SkipEmptyParts));
    ASSERT_TRUE(second.waitForStarted());
    // What the first program keeps, while the second is (or soon is) waiting.
    QThread::msleep(1500);
    copyFiles(overlap.filePath(QStringLiteral("store")), program.path());
    first.unlock();
    ASSERT_TRUE(second.waitForFinished(60000));

    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(second.readAllStandardOutput()),
              textOf(overlap.filePath(QStringLiteral("expected_output.txt"))));
    // Printed, the second journal books nothing: the store is the first one's.
    EXPECT_EQ(fileBytes(program.file(userStore())),
              fileBytes(overlap.filePath(QStringLiteral("store/") + userStore())));
    EXPECT_FALSE(QFile::exists(program.file(userStore() + QStringLiteral(".lock"))));
}

// A first program that holds the lock past the wait: the second says that
// another one is busy with the card, books nothing and keeps nothing.
TEST(ReadsCommand, ASecondProgramSaysTheCardIsBusyPastTheWait)
{
    test::ProgramFolderCopy program(kProgramDir);
    QLockFile first(program.file(userStore() + QStringLiteral(".lock")));
    ASSERT_TRUE(first.tryLock());
    const QString history = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit_unsettled/history.csv");

    const test::CliRun run = test::runMokpe(journalArguments(history, program));

    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QStringLiteral("前回の読込み記録「%1」は，別のモコペ！が使用中です．\n"
                                      "しばらく待ってから，もう一度読み込んで下さい．\n")
                           .arg(QDir::toNativeSeparators(program.file(userStore()))));
    EXPECT_TRUE(storeFiles(program.path(), false).isEmpty());
}

// A card ID too long for a file name is named by its hash; a card whose ID is
// that hash written out keeps a store of its own, and neither read sets the
// other's store aside.
TEST(ReadsCommand, NoCardIdSharesAStoreWithAHashedOne)
{
    const QString longId = QString(65, QLatin1Char('7'));
    const QString hashId =
        QString::fromLatin1(QCryptographicHash::hash(longId.toUtf8(), QCryptographicHash::Sha1).toHex());
    test::ProgramFolderCopy program(kProgramDir);
    const auto historyOf = [&program](const QString &id) {
        const QString path = program.file(id.left(8) + QStringLiteral(".csv"));
        writeBytes(path,
                   cp932(QStringLiteral("カードID=%1\r\n"
                                        "利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n"
                                        "2024/05/02,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,800,\r\n"
                                        "2024/05/01,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,\r\n")
                             .arg(id)));
        return path;
    };

    const QStringList saved{QStringLiteral("-o"), program.file(QStringLiteral("j.csv"))};
    EXPECT_EQ(test::runMokpe(journalArguments(historyOf(longId), program) + saved).exitCode, 0);
    EXPECT_EQ(test::runMokpe(journalArguments(historyOf(hashId), program) + saved).exitCode, 0);
    const test::CliRun again = test::runMokpe(journalArguments(historyOf(longId), program));

    // Its own store holds the whole read: nothing new to journal.
    EXPECT_EQ(again.exitCode, 2);
    EXPECT_TRUE(
        again.err.startsWith(QStringLiteral("このファイルの取引は，すべて前回までに読み込み済みです．")))
        << again.err.toStdString();
    EXPECT_TRUE(storeFiles(program.path(), true).isEmpty());
    EXPECT_EQ(storeFiles(program.path(), false).keys(),
              (QStringList{QStringLiteral("card_reads_") + hashId + QStringLiteral(".csv"),
                           QStringLiteral("card_reads_~") + hashId + QStringLiteral(".csv")}));
}

} // namespace
} // namespace mokpe::cli
