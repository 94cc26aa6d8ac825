// Consecutive reads of a card through `mokpe journal`: one golden folder per
// case under tests/data/reads/ (the read store before, the history, the
// arguments, the expected output and messages, the read store after), then
// whole sequences of reads in one program folder.
#include "support/cli_runner.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::cp932;
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
        err.replace(QDir::toNativeSeparators(program.path()), QStringLiteral("{DIR}"));
        EXPECT_EQ(err, textOf(dir.filePath(QStringLiteral("expected_err.txt"))));

        QMap<QString, QByteArray> expectedStores;
        const QString expectedDir = dir.filePath(QStringLiteral("expected_store"));
        for (const QString &file : QDir(expectedDir).entryList(QDir::Files))
            expectedStores.insert(file, fileBytes(QDir(expectedDir).filePath(file)));
        EXPECT_EQ(storeFiles(program.path(), false), expectedStores);
    }
}

const QString kHeader = QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考\r\n");

// Transactions newest..oldest of one card: a fare of 100 yen a day from 5000 yen.
QString history(int newest, int oldest)
{
    QString text = kHeader;
    for (int day = newest; day >= oldest; --day)
        text += QStringLiteral("2024/05/%1,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,%2,\r\n")
                    .arg(day, 2, 10, QLatin1Char('0'))
                    .arg(5000 - 100 * day);
    return text;
}

struct Read {
    const char *name;
    QString history;
    QStringList args;
    int rows;
    // The output after the journal rows.
    QString tail;
    QString err;
};

// Reads one after another in one program folder, each meeting what the reads
// before it left in the store.
TEST(ReadsCommand, ConsecutiveReadsMeetWhereTheBalancesChain)
{
    test::TempFolder program;
    copyFiles(kProgramDir, program.path());
    const Read reads[] = {
        // The first read books everything; the oldest amount is open.
        {"First",
         history(20, 1),
         {},
         20,
         "balance cells: 20:3 20:5\nsettlement: 精算金額：　　　-6,800\nmatched: 0\n",
         {}},
        {"SameFileAgain",
         history(20, 1),
         {},
         0,
         "balance cells: none\nsettlement: 精算金額：　　　0\nmatched: 20\n",
         QStringLiteral(
             "このファイルの取引は，すべて前回までに読み込み済みです．\n新しく仕訳する取引はありません．\n")},
        // One new row, priced from the booked balance.
        {"NextDay",
         history(21, 2),
         {},
         1,
         "balance cells: none\nsettlement: 精算金額：　　　-100\nmatched: 19\n",
         {}},
        // Two days were never read: the oldest row stays open.
        {"AfterAGap",
         history(25, 24),
         {},
         2,
         "balance cells: 2:3 2:5\nsettlement: 精算金額：　　　-2,700\nmatched: 0\ngap: 2024/05/21 "
         "2024/05/24\n",
         {}},
        // Without matching the journal is built as ever.
        {"WithoutMatching",
         history(25, 22),
         {QStringLiteral("--no-match")},
         4,
         "balance cells: 4:3 4:5\nsettlement: 精算金額：　　　-3,100\nmatched: 0\n",
         {}},
    };
    const QString path = program.file(QStringLiteral("card.csv"));
    for (const Read &read : reads) {
        SCOPED_TRACE(read.name);
        writeBytes(path, cp932(read.history));
        const test::CliRun run = test::runMokpe(
            QStringList{QStringLiteral("journal"), path, QStringLiteral("--dir"), program.path()} +
            read.args);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, read.err);
        const QString rows = run.out.section(QStringLiteral("balance cells:"), 0, 0);
        EXPECT_EQ(rows.count(QLatin1Char('\n')), 1 + read.rows) << run.out.toStdString();
        EXPECT_EQ(run.out.mid(rows.size()), read.tail);
    }
    // The last read met nothing in the store and is at least as recent: it
    // stands alone there, even with matching off.
    EXPECT_EQ(storeFiles(program.path(), false),
              (QMap<QString, QByteArray>{{QStringLiteral("card_reads.csv"),
                                          cp932(QStringLiteral("カードID=\r\n") + history(25, 22))}}));
}

} // namespace
} // namespace mokpe::cli
