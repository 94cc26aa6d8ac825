// Every command that writes a user file, with the folder gone, the disk full,
// a folder in the file's place and a write failing half-way: the reason on
// standard error in Japanese, exit status 2, and every old file byte for byte
// as it was, with nothing left beside it.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kDataDir = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal");
const QByteArray kOldOutput = "old output\r\n";

enum class Fault { FolderVanished, DiskFull, TargetIsAFolder, FailsHalfWay };

struct CommandCase {
    const char *name;
    // The file the command writes: a file of the program folder, or its output.
    const char *target;
    bool output;
    QStringList arguments;
    // The export dialog keeps its settings after every run, a failed one too.
    bool savesSettings = false;
    // What a folder in the target's place is told as: a file the command
    // reads before writing it is refused as a folder when read.
    QString folderReason = QStringLiteral("同じ名前のフォルダーがあります．");
};

const QString kHistory = kDataDir + QStringLiteral("/transit/history.csv");
const QStringList kJournalOptions{QStringLiteral("--user"), QStringLiteral("1"), QStringLiteral("--settle"),
                                  QStringLiteral("220")};

const CommandCase kCommands[] = {
    {"Settings",
     "inifile.ini",
     false,
     {QStringLiteral("settings")},
     false,
     QStringLiteral("ファイルではなく，フォルダーです．")},
    {"Accounts",
     "kamoku_code.csv",
     false,
     {QStringLiteral("accounts"), QStringLiteral("--load"), QStringLiteral("kai")}},
    {"Journal", "journal.csv", true, QStringList{QStringLiteral("journal"), kHistory} + kJournalOptions},
    {"Export", "export.csv", true,
     QStringList{QStringLiteral("export"), kHistory, QStringLiteral("--format"), QStringLiteral("1"),
                 QStringLiteral("--yes")} +
         kJournalOptions,
     true},
    {"Report", "report.pdf", true, QStringList{QStringLiteral("report"), kHistory} + kJournalOptions},
};

constexpr Fault kFaults[] = {Fault::FolderVanished, Fault::DiskFull, Fault::TargetIsAFolder,
                             Fault::FailsHalfWay};

std::string faultName(Fault fault)
{
    switch (fault) {
    case Fault::FolderVanished:
        return "FolderVanished";
    case Fault::DiskFull:
        return "DiskFull";
    case Fault::TargetIsAFolder:
        return "TargetIsAFolder";
    case Fault::FailsHalfWay:
        return "FailsHalfWay";
    }
    return {};
}

struct FaultCase {
    CommandCase command;
    Fault fault;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.command.name << "/" << faultName(c.fault);
}

std::vector<FaultCase> allCases()
{
    std::vector<FaultCase> cases;
    for (const CommandCase &command : kCommands) {
        for (const Fault fault : kFaults)
            cases.push_back({command, fault});
    }
    return cases;
}

// Names and bytes of everything in a folder, one level deep.
QMap<QString, QByteArray> contentsOf(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString path = dir.filePath(name);
        contents.insert(name, QFileInfo(path).isDir() ? QByteArray("<folder>") + fileBytes(path + "/keep.txt")
                                                      : fileBytes(path));
    }
    return contents;
}

class WriteFaultCommandTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(WriteFaultCommandTest, ExitsWithStatus2AndLeavesEveryFileWhole)
{
    const FaultCase &c = GetParam();
    test::FullDiskFolder disk;
    test::TempFolder elsewhere;
    // The output goes onto the disk that fails; the program folder too when
    // its own file is the one written. Start-up rewrites the settings, so an
    // output's program folder stays on a sound disk.
    const QString program =
        c.command.output ? elsewhere.file(QStringLiteral("program")) : disk.file(QStringLiteral("program"));
    const QString outputs = disk.file(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(outputs));
    const QDir data(kDataDir + QStringLiteral("/program"));
    for (const QString &name : data.entryList(QDir::Files))
        writeBytes(QDir(program).filePath(name), fileBytes(data.filePath(name)));
    const QString target =
        QDir(c.command.output ? outputs : program).filePath(QLatin1String(c.command.target));
    if (c.command.output)
        writeBytes(target, kOldOutput);
    // The settings command writes only a file that needs normalising: one
    // whose last line is missing does.
    if (QLatin1String(c.command.target) == "inifile.ini") {
        QByteArray settings = fileBytes(target);
        settings.chop(2);
        settings.truncate(settings.lastIndexOf("\r\n") + 2);
        writeBytes(target, settings);
    }

    QStringList arguments = c.command.arguments + QStringList{QStringLiteral("--dir"), program};
    if (c.command.output)
        arguments += QStringList{QStringLiteral("-o"), target};
    const QString failing = c.command.output ? outputs : program;
    QString reason;
    QStringList command = QStringList{QStringLiteral(MOKPE_CLI_PATH)} + arguments;
    switch (c.fault) {
    case Fault::FolderVanished:
        ASSERT_TRUE(QDir(failing).removeRecursively());
        reason = QStringLiteral("ファイルまたはフォルダーがありません．");
        break;
    case Fault::DiskFull:
        if (const QString why = disk.cannotFillReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        disk.makeFull();
        command = disk.commandFor(QStringLiteral(MOKPE_CLI_PATH), arguments);
        reason = disk.onTmpfs() ? QStringLiteral("ディスクの空き容量がありません．")
                                : QStringLiteral("ファイルが大きすぎます．");
        break;
    case Fault::TargetIsAFolder:
        QFile::remove(target);
        ASSERT_TRUE(QDir().mkdir(target));
        writeBytes(QDir(target).filePath(QStringLiteral("keep.txt")), "kept\r\n");
        reason = c.command.folderReason;
        break;
    case Fault::FailsHalfWay:
        if (const QString why = test::FullDiskFolder::cannotCutShortReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        // Room for the settings, were start-up to rewrite them, not for the file written.
        command = test::FullDiskFolder::commandLimitedTo(
            QLatin1String(c.command.target) == "inifile.ini" ? 16 : 256, QStringLiteral(MOKPE_CLI_PATH),
            arguments);
        reason = QStringLiteral("ファイルが大きすぎます．");
        break;
    }
    QString named = QStringLiteral("ファイル「%1」").arg(QDir::toNativeSeparators(target));
    // A program folder that is gone is told as that, before any of its files.
    if (!c.command.output && c.fault == Fault::FolderVanished) {
        named = QStringLiteral("プログラムのフォルダー「%1」").arg(QDir::toNativeSeparators(program));
        reason = QStringLiteral("がありません．");
    }
    QMap<QString, QByteArray> programBefore = contentsOf(program);
    const QMap<QString, QByteArray> outputsBefore = contentsOf(outputs);

    const test::CliRun run = test::runProgram(command);
    disk.release();

    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(named)) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(reason)) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("Unknown error"))) << run.err.toStdString();
    if (c.fault == Fault::FolderVanished) {
        EXPECT_FALSE(QFileInfo::exists(failing));
        return;
    }
    QMap<QString, QByteArray> programAfter = contentsOf(program);
    if (c.command.savesSettings) {
        programBefore.remove(QStringLiteral("inifile.ini"));
        programAfter.remove(QStringLiteral("inifile.ini"));
    }
    EXPECT_EQ(programAfter, programBefore);
    EXPECT_EQ(contentsOf(outputs), outputsBefore);
}

INSTANTIATE_TEST_SUITE_P(Commands, WriteFaultCommandTest, ::testing::ValuesIn(allCases()),
                         [](const auto &info) {
                             return std::string(info.param.command.name) + "_" + faultName(info.param.fault);
                         });

} // namespace
} // namespace mokpe::cli
