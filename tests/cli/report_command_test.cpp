// `mokpe report`: one golden folder per case under tests/data/report/ (the
// history, the journal options and the words expected on each PDF page), then
// the refusals.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/pdf_words.h"
#include "support/program_folder_copy.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kDataDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/report");
const QString kProgramDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
constexpr double kToleranceMm = 0.3;

// A program folder with the settings, the account table and two users.
struct ProgramFolder : test::ProgramFolderCopy {
    ProgramFolder() : ProgramFolderCopy(kProgramDir) {}
};

test::CliRun runReport(const ProgramFolder &program, const QString &history, const QStringList &more)
{
    return test::runMokpe(
        QStringList{QStringLiteral("report"), history, QStringLiteral("--dir"), program.path()} + more);
}

struct ExpectedWord {
    int page;
    double x;
    double y;
    QString text;
};

// "pages N" and "page TAB x TAB y TAB text" lines; "#" starts a comment.
void readExpected(const QString &path, int &pages, std::vector<ExpectedWord> &words)
{
    const QStringList lines = QString::fromUtf8(fileBytes(path)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() == 2 && fields[0] == QLatin1String("pages")) {
            pages = fields[1].toInt();
            continue;
        }
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        words.push_back({fields[0].toInt(), fields[1].toDouble(), fields[2].toDouble(), fields[3]});
    }
}

TEST(ReportCommand, GoldenFolders)
{
    const QStringList cases = QDir(kDataDir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_GE(cases.size(), 2);
    for (const QString &name : cases) {
        SCOPED_TRACE(name.toStdString());
        const QDir dir(kDataDir + QLatin1Char('/') + name);
        QStringList args =
            QString::fromUtf8(fileBytes(dir.filePath(QStringLiteral("args.txt")))).split(QLatin1Char('\n'));
        args.removeAll(QString());
        int pages = 0;
        std::vector<ExpectedWord> expected;
        readExpected(dir.filePath(QStringLiteral("expected_words.txt")), pages, expected);

        ProgramFolder program;
        // An older file is replaced whole.
        const QString pdf = program.file(QStringLiteral("精算.pdf"));
        writeBytes(pdf, QByteArray(100000, 'x'));
        const test::CliRun run = runReport(program, dir.filePath(QStringLiteral("history.csv")),
                                           args + QStringList{QStringLiteral("-o"), pdf});
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, QString());
        EXPECT_EQ(run.out, QStringLiteral("pages: %1\n").arg(pages));

        const std::vector<test::PdfPageWords> found = test::readPdfWords(pdf);
        ASSERT_EQ(static_cast<int>(found.size()), pages);
        for (const ExpectedWord &word : expected) {
            EXPECT_TRUE(test::wordBeginsTextAt(found[static_cast<size_t>(word.page - 1)], word.x, word.y,
                                               word.text, kToleranceMm))
                << "page " << word.page << ": " << word.text.toStdString() << " at " << word.x << ", "
                << word.y;
        }
    }
}

TEST(ReportCommand, RefusalsExitWithTwoAndTheMessage)
{
    ProgramFolder program;
    const QString history = program.file(QStringLiteral("unfinished.csv"));
    writeBytes(history, test::cp932(QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要\r\n"
                                                   "1,2026/01/06,旅費交通,160,電子マネー,160,入 新宿\r\n"
                                                   "2,2026/01/07,旅費交通,,電子マネー,,\r\n")));
    const QString pdf = program.file(QStringLiteral("out.pdf"));
    test::CliRun run = runReport(program, history, {QStringLiteral("-o"), pdf});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err, QStringLiteral("最終行の金額を入力して下さい．\n"));
    EXPECT_FALSE(QFile::exists(pdf));

    const QString complete = kDataDir + QStringLiteral("/transit/history.csv");
    const QString unwritable = program.file(QStringLiteral("no such folder/out.pdf"));
    run = runReport(program, complete,
                    {QStringLiteral("--settle"), QStringLiteral("220"), QStringLiteral("--no-match"),
                     QStringLiteral("-o"), unwritable});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．\n").arg(QDir::toNativeSeparators(unwritable))))
        << run.err.toStdString();

    // No print service answering: no printer is installed.
    const QByteArray oldServer = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", "127.0.0.1:9");
    run = runReport(program, complete,
                    {QStringLiteral("--settle"), QStringLiteral("220"), QStringLiteral("--no-match"),
                     QStringLiteral("--print")});
    if (oldServer.isNull())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", oldServer);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err,
              QStringLiteral(
                  "使用可能なプリンタが存在しません．\n印刷機能はプリンタを準備した後に可能となります．\n"));
}

TEST(ReportCommand, UsageErrors)
{
    ProgramFolder program;
    const QString history = kDataDir + QStringLiteral("/transit/history.csv");
    const QString pdf = program.file(QStringLiteral("out.pdf"));
    const struct {
        QStringList args;
        QString said;
    } wrong[] = {
        {{}, QStringLiteral("give either -o OUT.pdf or --print")},
        {{QStringLiteral("-o"), pdf, QStringLiteral("--print")},
         QStringLiteral("give either -o OUT.pdf or --print")},
        {{QStringLiteral("--printer"), QStringLiteral("A"), QStringLiteral("-o"), pdf},
         QStringLiteral("--printer goes with --print")},
        {{QStringLiteral("--print"), QStringLiteral("--printer")}, QStringLiteral("--printer needs a value")},
        {{QStringLiteral("-o"), pdf, QStringLiteral("--unknown")},
         QStringLiteral("unknown option --unknown")},
    };
    for (const auto &c : wrong) {
        const test::CliRun run = runReport(program, history, c.args);
        EXPECT_EQ(run.exitCode, 1) << c.args.join(' ').toStdString();
        EXPECT_EQ(run.err,
                  QStringLiteral("mokpe report: %1\nTry 'mokpe --help' for more information.\n").arg(c.said));
    }
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
} // namespace mokpe::cli
