// Every user file is written atomically: whatever goes wrong on the way (the
// folder gone, the disk full, a folder in the file's place, a write cut off
// half-way) the writer tells the user why, in Japanese, and the old file stays
// byte for byte as it was, with nothing half-written beside it.
#include "common/atomic_file.h"
#include "common/text_file.h"
#include "journal/journal_editor.h"
#include "maintenance/account_code_save.h"
#include "maintenance/default_account_sets.h"
#include "maintenance/user_table.h"
#include "output/csv_export.h"
#include "output/export_settings.h"
#include "output/report_pdf.h"
#include "output/settlement_report.h"
#include "settings/settings_file.h"

#include "support/export_fixture.h"
#include "support/file_helpers.h"
#include "support/full_disk.h"
#include "support/report_journals.h"
#include "support/scripted_services.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe {
namespace {

using test::fileBytes;
using test::writeBytes;

const QByteArray kOldSettings = "3\r\nC01\r\n\r\n\r\n\r\n&HC0C0FF\r\n&H8000000F\r\n0\r\n0\r\n000\r\n0000\r\n"
                                "old\r\n000\r\n0000\r\nold2\r\n";
const QByteArray kOldAccounts = "111,1111,old\r\n";
const QByteArray kOldUsers = "old user\r\n";
const QByteArray kOldOutput = "old output\r\n";

enum class Fault { FolderVanished, DiskFull, TargetIsAFolder, FailsHalfWay };

// Every file to write here is larger than this, so the write breaks off in
// the middle of the file.
constexpr unsigned long long kHalfWayBytes = 16;

// The program folder (a folder on a disk that can be made full) with its three
// files and an old output file, read as the start-up reads them.
struct Program {
    test::FullDiskFolder disk;
    QString folder = disk.file(QStringLiteral("program"));
    AppState state;
    journal::JournalGrid grid;
    test::ScriptedServices services;
    test::ScriptedMessages &messages = services.messages;
    Program()
    {
        QDir().mkpath(folder);
        state.programFolder = folder;
        writeBytes(file("inifile.ini"), kOldSettings);
        writeBytes(file("kamoku_code.csv"), kOldAccounts);
        writeBytes(file("person.csv"), kOldUsers);
        for (const char *name : {"journal.csv", "export.csv", "report.pdf"})
            writeBytes(file(name), kOldOutput);
        settings::Fm1_IniFileRead(state, messages);
        // Every account of the sample journal is in the table: the export asks nothing.
        state.accounts.lines = output::test_support::wAccountLines() << QStringLiteral("411,4111,売上高");
        state.accounts.lastIndex = static_cast<int>(state.accounts.lines.size()) - 1;
        grid = test::sampleJournal(200);
        messages.shown.clear();
    }
    QString file(const char *name) const { return QDir(folder).filePath(QLatin1String(name)); }
};

struct WriterCase {
    const char *name;
    const char *target;
    // What the writer says before the failure of the write itself.
    QString lead;
    // Writes through the program's own function; true when it reported success.
    std::function<bool(Program &)> write;
};

const QString kSettingsLead = QStringLiteral("設定ファイル(inifile.ini)を保存できませんでした．\r\n");

bool saveJournal(Program &p)
{
    journal::JournalEditor editor(p.state, p.grid, {p.services.messages, p.services.dialogs});
    p.state.history.cardKind = TransitCard;
    p.state.history.lines = {QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考"),
                             QStringLiteral("2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,"),
                             QStringLiteral("2008/07/19,現,金,,,,,1200,ﾁｬｰｼﾞ"), QString()};
    p.state.history.lastLineIndex = 2;
    editor.startUp();
    editor.grid().setModified(true);
    const bool saved = editor.saveJournalTo(p.file("journal.csv"));
    // The window goes on with the edits it had.
    EXPECT_TRUE(editor.grid().modified());
    return saved;
}

bool exportJournal(Program &p)
{
    output::ExportFields fields;
    fields.selectedFormat = output::SuitouFormat;
    return output::writeExportFile(fields, p.state, p.grid, p.file("export.csv"), p.messages) ==
           output::ExportOutcome::Written;
}

bool writeReport(Program &p)
{
    const output::SettlementReport report(p.grid, TransitCard, QStringLiteral("交通履歴.csv"),
                                          QStringLiteral("精算金額：　　　-12,345"),
                                          QStringLiteral("電子マネー"), output::ReportFontMetrics());
    const QString error = output::writeReportPdf(p.file("report.pdf"), report);
    if (!error.isEmpty())
        p.messages.inform(error);
    return error.isEmpty();
}

const WriterCase kWriters[] = {
    {"Settings", "inifile.ini", kSettingsLead,
     [](Program &p) {
         p.state.settings.screenColour = QStringLiteral("&HFFFFFF");
         return settings::Fm1_IniFileSave(p.state, settings::settingsFilePath(p.state), p.messages);
     }},
    {"ExportSettings", "inifile.ini", kSettingsLead,
     [](Program &p) {
         output::ExportFields fields;
         fields.companyName = QStringLiteral("株式会社見本");
         return output::Fm3_IniFileSave(fields, p.state, p.file("inifile.ini"), p.messages);
     }},
    {"AccountTable", "kamoku_code.csv",
     QStringLiteral("科目コード設定ファイル(kamoku_code.csv)を保存できませんでした．\r\n"),
     [](Program &p) {
         const auto contents =
             maintenance::loadDefaultSet(p.state, maintenance::DefaultAccountSet::FuurinCodes);
         return maintenance::Fm8_KamokuSave(p.state, contents, p.messages);
     }},
    {"Users", "person.csv", QString(),
     [](Program &p) {
         QStringList users;
         for (int i = 1; i <= 20; ++i)
             users.append(QStringLiteral("利用者%1").arg(i));
         return maintenance::savePersonFile(p.state, users, p.messages);
     }},
    {"JournalFile", "journal.csv", QString(), saveJournal},
    {"Export", "export.csv", QString(), exportJournal},
    {"ReportPdf", "report.pdf", QString(), writeReport},
};

struct FaultCase {
    WriterCase writer;
    Fault fault;
};

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

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.writer.name << "/" << faultName(c.fault);
}

std::vector<FaultCase> allCases()
{
    std::vector<FaultCase> cases;
    for (const WriterCase &writer : kWriters) {
        for (const Fault fault :
             {Fault::FolderVanished, Fault::DiskFull, Fault::TargetIsAFolder, Fault::FailsHalfWay})
            cases.push_back({writer, fault});
    }
    return cases;
}

QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name :
         QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        files.insert(name, fileBytes(QDir(folder).filePath(name)));
    return files;
}

class WriteFaultTest : public ::testing::TestWithParam<FaultCase> {};

TEST_P(WriteFaultTest, IsToldAndLeavesTheOldFilesWhole)
{
    const FaultCase &c = GetParam();
    Program p;
    const QString target = p.file(c.writer.target);
    QString reason;
    switch (c.fault) {
    case Fault::FolderVanished:
        ASSERT_TRUE(QDir(p.folder).removeRecursively());
        reason = QStringLiteral("ファイルまたはフォルダーがありません．");
        break;
    case Fault::DiskFull:
        if (const QString why = p.disk.cannotFillReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        // The file-size limit stands in for a full disk where no tmpfs can be mounted.
        reason = p.disk.onTmpfs() ? QStringLiteral("ディスクの空き容量がありません．")
                                  : QStringLiteral("ファイルが大きすぎます．");
        break;
    case Fault::TargetIsAFolder:
        ASSERT_TRUE(QFile::remove(target) && QDir().mkdir(target));
        writeBytes(QDir(target).filePath(QStringLiteral("keep.txt")), "kept\r\n");
        reason = QStringLiteral("同じ名前のフォルダーがあります．");
        break;
    case Fault::FailsHalfWay:
        if (const QString why = test::FullDiskFolder::cannotCutShortReason(); !why.isEmpty())
            GTEST_SKIP() << why.toStdString();
        reason = QStringLiteral("ファイルが大きすぎます．");
        break;
    }
    const QMap<QString, QByteArray> before = filesIn(p.folder);
    if (c.fault == Fault::DiskFull)
        p.disk.makeFull();
    if (c.fault == Fault::FailsHalfWay)
        p.disk.limitFileSize(kHalfWayBytes);
    const bool written = c.writer.write(p);
    p.disk.release();

    EXPECT_FALSE(written);
    EXPECT_EQ(p.messages.texts().join(QStringLiteral("\n---\n")).toStdString(),
              (c.writer.lead + QStringLiteral("ファイル「%1」に書き込めません．\r\n%2")
                                   .arg(QDir::toNativeSeparators(target), reason))
                  .toStdString());
    EXPECT_EQ(p.messages.unexpectedQuestions, 0);
    if (c.fault == Fault::FolderVanished) {
        EXPECT_FALSE(QFileInfo::exists(p.folder));
        return;
    }
    EXPECT_EQ(filesIn(p.folder), before);
    if (c.fault == Fault::TargetIsAFolder) {
        EXPECT_EQ(fileBytes(QDir(target).filePath(QStringLiteral("keep.txt"))), QByteArray("kept\r\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, WriteFaultTest, ::testing::ValuesIn(allCases()), [](const auto &info) {
    return std::string(info.param.writer.name) + "_" + faultName(info.param.fault);
});

TEST(WriteFault, StreamedWriteIsCancelledByTheCommit)
{
    test::FullDiskFolder disk;
    if (const QString why = disk.cannotFillReason(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString path = disk.file(QStringLiteral("export.csv"));
    writeBytes(path, "old export\r\n");
    disk.makeFull();
    common::AtomicFile file(path);
    ASSERT_EQ(common::openAtomicWrite(file), QString());
    file.write(QByteArray(1000, 'x'));
    const QString error = common::commitAtomicWrite(file);
    disk.release();
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．").arg(QDir::toNativeSeparators(path))))
        << error.toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("old export\r\n"));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("export")),
              QStringList{QStringLiteral("export.csv")});
}

} // namespace
} // namespace mokpe
