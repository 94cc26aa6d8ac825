// Every user file is written atomically: on a full disk the old file stays
// whole and the failure is told, for each writer that goes through the helper.
#include "common/text_file.h"
#include "journal/journal_editor.h"
#include "maintenance/account_code_save.h"
#include "maintenance/default_account_sets.h"
#include "maintenance/user_table.h"
#include "settings/settings_file.h"

#include "support/cli_runner.h"
#include "support/file_helpers.h"
#include "support/full_disk.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QSaveFile>

#include <gtest/gtest.h>

namespace mokpe {
namespace {

using test::fileBytes;
using test::writeBytes;

const QByteArray kOldSettings = "3\r\nC01\r\n\r\n\r\n\r\n&HC0C0FF\r\n&H8000000F\r\n0\r\n0\r\n000\r\n0000\r\n"
                                "old\r\n000\r\n0000\r\nold2\r\n";
const QByteArray kOldAccounts = "111,1111,old\r\n";
const QByteArray kOldUsers = "old user\r\n";

struct FullDiskWriteTest : ::testing::Test {
    test::FullDiskFolder disk;
    AppState state;
    test::ScriptedMessages messages;
    FullDiskWriteTest()
    {
        state.programFolder = disk.path();
        writeBytes(disk.file(QStringLiteral("inifile.ini")), kOldSettings);
        writeBytes(disk.file(QStringLiteral("kamoku_code.csv")), kOldAccounts);
        writeBytes(disk.file(QStringLiteral("person.csv")), kOldUsers);
        settings::Fm1_IniFileRead(state, messages);
        messages.shown.clear();
    }
    void expectOneWriteFailure(const QString &fileName)
    {
        ASSERT_EQ(messages.shown.size(), 1u) << messages.texts().join('|').toStdString();
        const QString path = QDir::toNativeSeparators(disk.file(fileName));
        EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("ファイル「%1」に書き込めません．").arg(path)))
            << messages.shown[0].text.toStdString();
        // The reason in the user's words: a full disk, or the file-size limit that stands in for one.
        EXPECT_TRUE(messages.shown[0].text.contains(disk.onTmpfs() ? QStringLiteral("ディスクの空き容量がありません．")
                                                                   : QStringLiteral("ファイルが大きすぎます．")))
            << messages.shown[0].text.toStdString();
    }
};

TEST_F(FullDiskWriteTest, SettingsFileStaysWhole)
{
    disk.makeFull();
    state.settings.screenColour = QStringLiteral("&HFFFFFF");
    EXPECT_FALSE(settings::Fm1_IniFileSave(state, state.settings.filePath, messages));
    disk.release();
    expectOneWriteFailure(QStringLiteral("inifile.ini"));
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("inifile.ini"))), kOldSettings);
}

TEST_F(FullDiskWriteTest, AccountTableStaysWhole)
{
    const auto contents = maintenance::loadDefaultSet(state, maintenance::DefaultAccountSet::FuurinCodes);
    disk.makeFull();
    EXPECT_FALSE(maintenance::Fm8_KamokuSave(state, contents, messages));
    disk.release();
    expectOneWriteFailure(QStringLiteral("kamoku_code.csv"));
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("kamoku_code.csv"))), kOldAccounts);
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("inifile.ini"))), kOldSettings);
}

TEST_F(FullDiskWriteTest, UserFileStaysWhole)
{
    disk.makeFull();
    EXPECT_FALSE(maintenance::savePersonFile(state, {QStringLiteral("山田"), QStringLiteral("鈴木")}, messages));
    disk.release();
    expectOneWriteFailure(QStringLiteral("person.csv"));
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("person.csv"))), kOldUsers);
}

TEST_F(FullDiskWriteTest, JournalFileStaysWholeAndTheEditorKeepsItsEdits)
{
    test::ScriptedServices scripted;
    journal::JournalEditor editor(state, scripted.services());
    state.history.cardKind = TransitCard;
    state.history.lines = {QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考"),
                           QStringLiteral("2008/07/20,入,ＪＲ東,新宿,出,ＪＲ東,渋谷,1000,"),
                           QStringLiteral("2008/07/19,現,金,,,,,1200,ﾁｬｰｼﾞ"), QString()};
    state.history.lastLineIndex = 2;
    editor.startUp();
    editor.grid().setModified(true);
    const QString path = disk.file(QStringLiteral("journal.csv"));
    const QByteArray old = "No.,日付\r\n1,2008/07/01\r\n";
    writeBytes(path, old);
    disk.makeFull();
    EXPECT_FALSE(editor.saveJournalTo(path));
    disk.release();
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_TRUE(scripted.messages.shown[0].text.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．").arg(QDir::toNativeSeparators(path))))
        << scripted.messages.shown[0].text.toStdString();
    EXPECT_EQ(fileBytes(path), old);
    EXPECT_TRUE(editor.grid().modified());
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("journal")),
              QStringList{QStringLiteral("journal.csv")});
}

TEST_F(FullDiskWriteTest, StreamedWriteIsCancelledByTheCommit)
{
    const QString path = disk.file(QStringLiteral("export.csv"));
    writeBytes(path, "old export\r\n");
    disk.makeFull();
    QSaveFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1000, 'x'));
    const QString error = common::commitAtomicWrite(file);
    disk.release();
    EXPECT_TRUE(error.startsWith(QStringLiteral("ファイル「%1」に書き込めません．").arg(QDir::toNativeSeparators(path))))
        << error.toStdString();
    EXPECT_EQ(fileBytes(path), QByteArray("old export\r\n"));
    EXPECT_EQ(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("export")),
              QStringList{QStringLiteral("export.csv")});
}

TEST_F(FullDiskWriteTest, CommandLeavesTheSettingsAndTheAccountTableWhole)
{
    disk.makeFull();
    const test::CliRun settingsRun =
        test::runProgram(disk.commandFor(QStringLiteral(MOKPE_CLI_PATH),
                                         {QStringLiteral("settings"), QStringLiteral("--dir"), disk.path()}));
    const test::CliRun accountsRun = test::runProgram(
        disk.commandFor(QStringLiteral(MOKPE_CLI_PATH), {QStringLiteral("accounts"), QStringLiteral("--load"),
                                                         QStringLiteral("kai"), QStringLiteral("--dir"), disk.path()}));
    disk.release();
    EXPECT_TRUE(settingsRun.err.contains(QStringLiteral("に書き込めません．"))) << settingsRun.err.toStdString();
    EXPECT_TRUE(accountsRun.err.contains(QStringLiteral("に書き込めません．"))) << accountsRun.err.toStdString();
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("inifile.ini"))), kOldSettings);
    EXPECT_EQ(fileBytes(disk.file(QStringLiteral("kamoku_code.csv"))), kOldAccounts);
}

} // namespace
} // namespace mokpe
