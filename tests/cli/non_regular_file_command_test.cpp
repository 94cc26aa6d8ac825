// A pipe, a folder or a device where a command expects a history or a file of
// the program folder: the command neither hangs nor fills the memory, it says
// which file and why, and exits with status 2.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/file_kinds.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QString kHistory = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
const QString kNotRegular =
    QStringLiteral("通常のファイルではありません(パイプやデバイスは読み込めません)．");
const QString kFolder = QStringLiteral("ファイルではなく，フォルダーです．");

enum class Kind { Fifo, Folder };

struct NonRegularCase {
    const char *name;
    // The file replaced by the special one: a file of the program folder, or
    // "history" for the history the command reads.
    const char *replaced;
    Kind kind;
    QStringList arguments;
};

void PrintTo(const NonRegularCase &c, std::ostream *os)
{
    *os << c.name;
}

const QStringList kJournal{QStringLiteral("journal"), QStringLiteral("HISTORY"), QStringLiteral("--settle"),
                           QStringLiteral("220")};

class NonRegularFileCommandTest : public ::testing::TestWithParam<NonRegularCase> {};

TEST_P(NonRegularFileCommandTest, IsRefusedWithItsNameAndStatus2)
{
    const NonRegularCase &c = GetParam();
    test::TempFolder folder;
    const QString program = folder.file(QStringLiteral("program"));
    ASSERT_TRUE(QDir().mkpath(program));
    for (const QString &name : QDir(kProgramData).entryList(QDir::Files))
        writeBytes(QDir(program).filePath(name), fileBytes(QDir(kProgramData).filePath(name)));
    const bool history = QLatin1String(c.replaced) == "history";
    if (const QString why = test::pipeInFolderUnavailable();
        c.kind == Kind::Fifo && !history && !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    QString special = history ? folder.file(QStringLiteral("history.csv"))
                              : QDir(program).filePath(QLatin1String(c.replaced));
    QFile::remove(special);
    if (c.kind == Kind::Fifo)
        special = test::makePipe(special);
    else
        ASSERT_TRUE(QDir().mkdir(special));

    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("HISTORY"), history ? special : kHistory);
    arguments += QStringList{QStringLiteral("--dir"), program};
    if (c.arguments.first() == QLatin1String("read"))
        arguments = c.arguments.mid(0, 1) + QStringList{special};
    // A hang here ends in the test's time limit, not in a wrong answer.
    const test::CliRun run = test::runMokpe(arguments);
    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("ファイル「%1」を開けません．\n%2")
            .arg(QDir::toNativeSeparators(special), c.kind == Kind::Fifo ? kNotRegular : kFolder)))
        << run.err.toStdString();
    // The special file is left as it was.
    EXPECT_TRUE(c.kind == Kind::Fifo ? test::pipeUntouched(special) : QFileInfo(special).isDir());
}

INSTANTIATE_TEST_SUITE_P(
    Files, NonRegularFileCommandTest,
    ::testing::Values(
        NonRegularCase{"HistoryPipeRead", "history", Kind::Fifo, {QStringLiteral("read")}},
        NonRegularCase{"HistoryFolderRead", "history", Kind::Folder, {QStringLiteral("read")}},
        NonRegularCase{"HistoryPipeJournal", "history", Kind::Fifo, kJournal},
        NonRegularCase{"HistoryPipeExport",
                       "history",
                       Kind::Fifo,
                       {QStringLiteral("export"), QStringLiteral("HISTORY"), QStringLiteral("--format"),
                        QStringLiteral("1"), QStringLiteral("-o"), QStringLiteral("/dev/null")}},
        NonRegularCase{"SettingsPipe", "inifile.ini", Kind::Fifo, {QStringLiteral("settings")}},
        NonRegularCase{"AccountTablePipe", "kamoku_code.csv", Kind::Fifo, {QStringLiteral("accounts")}},
        NonRegularCase{"UsersPipe", "person.csv", Kind::Fifo, {QStringLiteral("users")}},
        NonRegularCase{"UsersFolder", "person.csv", Kind::Folder, {QStringLiteral("users")}},
        NonRegularCase{"AccountTablePipeJournal", "kamoku_code.csv", Kind::Fifo, kJournal}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SpecialFileCommand, ADeviceIsNotReadToTheEnd)
{
    const QString device = test::endlessDevice();
    const test::CliRun run = test::runMokpe({QStringLiteral("read"), device});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, QStringLiteral("ファイル「%1」を開けません．\n%2\n").arg(device, kNotRegular));
}

} // namespace
} // namespace mokpe::cli
