// Where an output may not go: onto a pipe or a device, onto the file the
// journal was read from (by any path to it) or onto a file of the program
// folder. Each is refused before anything is written, naming the file, with
// exit status 2, and leaves every file as it was.
#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/file_kinds.h"
#include "support/program_folder_copy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::cli {
namespace {

using test::fileBytes;
using test::writeBytes;

const QString kProgramData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/program");
const QString kHistoryData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/transit/history.csv");
const QString kJournalData = QStringLiteral(MOKPE_TEST_DATA_DIR "/journal/journal_file/history.csv");

const QString kNotRegular = QStringLiteral(
    "ファイル「%1」に書き込めません．\n通常のファイルではありません(パイプやデバイスには書き込めません)．");
const QString kInput = QStringLiteral(
    "ファイル「%1」は読み込んだファイルのため，出力先にできません．\n別のファイル名を指定して下さい．");
const QString kProgramFile = QStringLiteral(
    "ファイル「%1」はモコペ！が使うファイルのため，出力先にできません．\n別のファイル名を指定して下さい．");
const QString kProgramFolder = QStringLiteral(
    "ファイル「%1」はモコペ！のフォルダーにあるため，出力先にできません．\n別のフォルダーを指定して下さい．");

enum class Target {
    Fifo,          // a named pipe
    Device,        // a character device (the null device), made where the test may (root)
    Input,         // the history read, by its own name
    InputByPath,   // the history through another path to it
    InputSymlink,  // a symbolic link to the history
    InputHardLink, // a hard link to the history
    Settings,      // inifile.ini of the program folder
    Accounts,      // kamoku_code.csv
    Users,         // person.csv
    ReadStore,     // card_reads.csv, the read store of a card without an ID
    MissingUsers,  // person.csv of a program folder that has none yet
    StoreByLinks,  // a card's read store through a chain of two symbolic links
    Program,       // the program itself
    SetAside,      // a damaged store as it was set aside
    NewByLinks,    // a file not yet in the program folder, through two dangling links
};

struct TargetCase {
    const char *name;
    const char *command;
    Target target;
};

void PrintTo(const TargetCase &c, std::ostream *os)
{
    *os << c.name;
}

QStringList commandArguments(const QString &command)
{
    if (command == QLatin1String("export"))
        return {QStringLiteral("--format"), QStringLiteral("1"), QStringLiteral("--yes"),
                QStringLiteral("--settle"), QStringLiteral("220")};
    return {QStringLiteral("--settle"), QStringLiteral("220")};
}

// Everything in a folder, by name; the type of what is not a file.
QMap<QString, QByteArray> contentsOf(const QString &folder)
{
    QMap<QString, QByteArray> contents;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QFileInfo info(dir.filePath(name));
        contents.insert(name, info.isSymLink() ? "<link>"
                              : info.isFile()  ? fileBytes(info.filePath())
                                               : QByteArray("<special>"));
    }
    return contents;
}

class OutputTargetCommandTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(OutputTargetCommandTest, IsRefusedBeforeAnythingIsWritten)
{
    const TargetCase &c = GetParam();
    test::TempFolder folder;
    const QString program = folder.file(QStringLiteral("program"));
    const QString work = folder.file(QStringLiteral("work"));
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(work + QStringLiteral("/sub")));
    test::copyFiles(kProgramData, program);
    writeBytes(QDir(program).filePath(QStringLiteral("card_reads.csv")), "kept\r\n");
    const QString history = QDir(work).filePath(QStringLiteral("history.csv"));
    writeBytes(history, fileBytes(kHistoryData));

    QString target;
    QString message;
    switch (c.target) {
    case Target::Fifo:
        if (const QString why = test::pipeInFolderUnavailable(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        target = test::makePipe(QDir(work).filePath(QStringLiteral("pipe.csv")));
        message = kNotRegular;
        break;
    case Target::Device:
        target = test::makeDevice(QDir(work).filePath(QStringLiteral("null")));
        if (target.isEmpty())
            GTEST_SKIP() << "no device can be made here";
        message = kNotRegular;
        break;
    case Target::Input:
        target = history;
        message = kInput;
        break;
    case Target::InputByPath:
        target = work + QStringLiteral("/sub/../history.csv");
        message = kInput;
        break;
    case Target::InputSymlink:
        target = QDir(work).filePath(QStringLiteral("link.csv"));
        if (!test::makeSymbolicLink(history, target))
            GTEST_SKIP() << "no symbolic link can be made here";
        message = kInput;
        break;
    case Target::InputHardLink:
        target = QDir(work).filePath(QStringLiteral("hard.csv"));
        ASSERT_TRUE(test::makeHardLink(history, target));
        message = kInput;
        break;
    case Target::Settings:
        target = QDir(program).filePath(QStringLiteral("inifile.ini"));
        message = kProgramFile;
        break;
    case Target::Accounts:
        target = QDir(program).filePath(QStringLiteral("kamoku_code.csv"));
        message = kProgramFile;
        break;
    case Target::Users:
        target = QDir(program).filePath(QStringLiteral("person.csv"));
        message = kProgramFile;
        break;
    case Target::ReadStore:
        // Named through another path to the program folder.
        target = work + QStringLiteral("/../program/card_reads.csv");
        message = kProgramFile;
        break;
    case Target::MissingUsers:
        ASSERT_TRUE(QFile::remove(QDir(program).filePath(QStringLiteral("person.csv"))));
        target = QDir(program).filePath(QStringLiteral("person.csv"));
        message = kProgramFile;
        break;
    case Target::StoreByLinks:
    case Target::NewByLinks: {
        const bool store = c.target == Target::StoreByLinks;
        const QString end = QDir(program).filePath(QLatin1String(store ? "card_reads_X1.csv" : "new.csv"));
        if (store)
            writeBytes(end, "kept\r\n");
        target = QDir(work).filePath(QStringLiteral("far.csv"));
        const QString near = QDir(work).filePath(QStringLiteral("near.csv"));
        if (!test::makeSymbolicLink(end, near) || !test::makeSymbolicLink(near, target))
            GTEST_SKIP() << "no symbolic link can be made here";
        message = store ? kProgramFile : kProgramFolder;
        break;
    }
    case Target::Program:
    case Target::SetAside:
        target = QDir(program).filePath(
            QLatin1String(c.target == Target::Program ? "MokpeCnv" : "card_reads.csv.bad-20240101-000000"));
        writeBytes(target, "kept\r\n");
        message = kProgramFolder;
        break;
    }
    QMap<QString, QByteArray> programBefore = contentsOf(program);
    const QMap<QString, QByteArray> workBefore = contentsOf(work);

    const test::CliRun run =
        test::runMokpe(QStringList{QLatin1String(c.command), history, QStringLiteral("--dir"), program,
                                   QStringLiteral("-o"), target} +
                       commandArguments(QLatin1String(c.command)));

    EXPECT_EQ(run.exitCode, 2) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(message.arg(QDir::toNativeSeparators(target)))) << run.err.toStdString();
    QMap<QString, QByteArray> programAfter = contentsOf(program);
    if (QLatin1String(c.command) == "export") {
        // The export dialog keeps its fields after every run, a refused one
        // too: the settings, not the export, are in the settings file.
        EXPECT_TRUE(programAfter.take(QStringLiteral("inifile.ini")).startsWith("1\r\n"));
        programBefore.remove(QStringLiteral("inifile.ini"));
    }
    EXPECT_EQ(programAfter, programBefore);
    EXPECT_EQ(contentsOf(work), workBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, OutputTargetCommandTest,
    ::testing::Values(TargetCase{"JournalOntoPipe", "journal", Target::Fifo},
                      TargetCase{"ExportOntoPipe", "export", Target::Fifo},
                      TargetCase{"ReportOntoPipe", "report", Target::Fifo},
                      TargetCase{"JournalOntoDevice", "journal", Target::Device},
                      TargetCase{"ExportOntoDevice", "export", Target::Device},
                      TargetCase{"ReportOntoDevice", "report", Target::Device},
                      TargetCase{"JournalOntoHistory", "journal", Target::Input},
                      TargetCase{"ExportOntoHistory", "export", Target::Input},
                      TargetCase{"ReportOntoHistory", "report", Target::Input},
                      TargetCase{"JournalOntoHistoryByAnotherPath", "journal", Target::InputByPath},
                      TargetCase{"ExportOntoHistoryThroughALink", "export", Target::InputSymlink},
                      TargetCase{"ReportOntoHistoryByAHardLink", "report", Target::InputHardLink},
                      TargetCase{"JournalOntoSettings", "journal", Target::Settings},
                      TargetCase{"ExportOntoSettings", "export", Target::Settings},
                      TargetCase{"ExportOntoAccountTable", "export", Target::Accounts},
                      TargetCase{"ReportOntoUsers", "report", Target::Users},
                      TargetCase{"JournalOntoReadStore", "journal", Target::ReadStore},
                      TargetCase{"JournalOntoUsersNotYetThere", "journal", Target::MissingUsers},
                      TargetCase{"ExportOntoAStoreThroughTwoLinks", "export", Target::StoreByLinks},
                      TargetCase{"JournalOntoTheProgram", "journal", Target::Program},
                      TargetCase{"ReportOntoASetAsideStore", "report", Target::SetAside},
                      TargetCase{"ExportIntoTheProgramFolderThroughTwoLinks", "export", Target::NewByLinks}),
    [](const auto &info) { return std::string(info.param.name); });

// A saved journal opened and saved over itself is the editor's usual work;
// exported or printed over itself, it would be lost.
TEST(OutputTargetCommand, OnlyAJournalMaySaveOverTheJournalItWasReadFrom)
{
    test::ProgramFolderCopy program(kProgramData);
    const QString journal = program.file(QStringLiteral("saved.csv"));
    const QByteArray bytes = fileBytes(kJournalData);
    writeBytes(journal, bytes);
    const auto run = [&](const QStringList &command) {
        return test::runMokpe(command + QStringList{journal, QStringLiteral("--dir"), program.path(),
                                                    QStringLiteral("-o"), journal});
    };

    const test::CliRun saved = run({QStringLiteral("journal")});
    EXPECT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(fileBytes(journal), bytes);

    const test::CliRun exported =
        run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("1")});
    EXPECT_EQ(exported.exitCode, 2);
    EXPECT_TRUE(exported.err.contains(kInput.arg(QDir::toNativeSeparators(journal))))
        << exported.err.toStdString();
    const test::CliRun printed = run({QStringLiteral("report")});
    EXPECT_EQ(printed.exitCode, 2);
    EXPECT_TRUE(printed.err.contains(kInput.arg(QDir::toNativeSeparators(journal))))
        << printed.err.toStdString();
    EXPECT_EQ(fileBytes(journal), bytes);
}

} // namespace
} // namespace mokpe::cli
