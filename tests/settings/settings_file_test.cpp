#include "settings/settings_file.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace mokpe::settings {
namespace {

using test::fileBytes;
using test::writeBytes;

const QByteArray kDefaultFile =
    "0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n000\r\n0000\r\n"
    "\x93\x64\x8e\x71\x96\xa2\x8c\x88\r\n000\r\n0000\r\n\x93\x64\x8e\x71\x83\x7d\x83\x6c\x81\x5b\r\n";

struct SettingsFileTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    SettingsFileTest() { state.programFolder = folder.path(); }
    QString iniPath() const { return folder.file(QStringLiteral("inifile.ini")); }
};

TEST_F(SettingsFileTest, MissingFileIsCreatedWithDefaultsAndTheFirstStartMessage)
{
    Fm1_IniFileRead(state, messages);
    EXPECT_EQ(messages.texts(), QStringList{kFirstStartMessage});
    EXPECT_EQ(fileBytes(iniPath()), kDefaultFile);
    EXPECT_EQ(state.codeSystemState, -1);
    EXPECT_EQ(settingsFilePath(state), iniPath());
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral("電子マネー"));
    EXPECT_EQ(state.settings.unsettledAccount, (AccountTriple{"000", "0000", "電子未決"}));
}

// Blank lines are kept as they are; missing ones take their defaults, the
// fixed accounts included, and the user is told which.
TEST_F(SettingsFileTest, AShortFileIsNormalisedAndItsMissingLinesTakeTheirDefaults)
{
    // Nine lines: line 5 empty, lines 7 and 8 empty, lines 9 to 14 missing.
    writeBytes(iniPath(), "3\r\n  12 \r\nname\r\n20261231\r\n20260101,20261231\r\n\r\n&HC0C0FF\r\n\r\n\r\n");
    state.codeSystemState = 1;
    Fm1_IniFileRead(state, messages);
    EXPECT_EQ(messages.texts(),
              QStringList{
                  QStringLiteral("設定ファイル(inifile.ini)に10～15行目がありません．\r\n"
                                 "その行は標準の値にしました．必要ならメンテナンスで設定し直して下さい．")});
    EXPECT_EQ(fileBytes(iniPath()),
              QByteArray("3\r\n  12 \r\nname\r\n20261231\r\n20260101,20261231\r\n&H8000000F\r\n&HC0C0FF\r\n"
                         "\r\n\r\n") +
                  kDefaultFile.mid(kDefaultFile.indexOf("000\r\n")));
    // Lines 7 and 8 are filled in memory only.
    EXPECT_EQ(state.settings.lines[7], QStringLiteral("1"));
    EXPECT_EQ(state.settings.lines[8], QStringLiteral("0"));
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("3"));
    EXPECT_EQ(state.settings.screenColour, QStringLiteral("&H8000000F"));
    EXPECT_EQ(state.settings.buttonColour, QStringLiteral("&HC0C0FF"));
    EXPECT_EQ(state.settings.emoneyAccount, (AccountTriple{"000", "0000", "電子マネー"}));
    EXPECT_EQ(state.codeSystemState, 1);
}

TEST_F(SettingsFileTest, OnlySixteenLinesAreReadAndFifteenWritten)
{
    QByteArray bytes;
    for (int i = 0; i < 20; ++i)
        bytes += QByteArray::number(i) + "\r\n";
    writeBytes(iniPath(), bytes);
    Fm1_IniFileRead(state, messages);
    EXPECT_EQ(state.settings.lines[15], QStringLiteral("15"));
    QByteArray expected;
    for (int i = 0; i < 15; ++i)
        expected += QByteArray::number(i) + "\r\n";
    EXPECT_EQ(fileBytes(iniPath()), expected);
}

TEST_F(SettingsFileTest, UnreadableFileIsReportedAndLeftAsItWas)
{
    const QByteArray bad("0\r\n\x81\x20\r\n");
    writeBytes(iniPath(), bad);
    Fm1_IniFileRead(state, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("2行目")));
    EXPECT_EQ(fileBytes(iniPath()), bad);
    EXPECT_EQ(state.settings.screenColour, QStringLiteral("&H8000000F"));
}

TEST_F(SettingsFileTest, FailedSaveIsReportedAndKeepsTheOldFile)
{
    Fm1_IniFileRead(state, messages);
    state.settings.emoneyAccount.name = QStringLiteral("\U0001F600");
    EXPECT_FALSE(Fm1_IniFileSave(state, iniPath(), messages));
    EXPECT_EQ(fileBytes(iniPath()), kDefaultFile);
    EXPECT_TRUE(messages.shown.back().text.contains(QStringLiteral("15行目")));
}

TEST_F(SettingsFileTest, FirstStartInAFolderThatCannotBeWrittenIsReported)
{
    state.programFolder = folder.file(QStringLiteral("missing"));
    Fm1_IniFileRead(state, messages);
    const QString path = QDir(state.programFolder).filePath(QStringLiteral("inifile.ini"));
    // No first-start greeting for a start that could not make its file.
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral(
            "設定ファイル(inifile.ini)を作成できませんでした．\r\nファイル「%1」に書き込めません．")
            .arg(QDir::toNativeSeparators(path))))
        << messages.shown[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    // The defaults are still in force for this run.
    EXPECT_EQ(state.codeSystemState, -1);
    EXPECT_EQ(state.settings.screenColour, QStringLiteral("&H8000000F"));
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral("電子マネー"));
}

TEST_F(SettingsFileTest, ACompleteFileIsRewrittenByteForByte)
{
    const QByteArray bytes =
        test::cp932(QStringLiteral("4\r\n 001 \r\n株式会社　モコペ商店 \r\n20270331\r\n"
                                   "20260401,20270331\r\n-2147483633\r\n&HC0C0FF\r\n0\r\n0\r\n"
                                   "119\r\n1190\r\n電子未決 \r\n118\r\n1180\r\n ＳＵＩＣＡ\r\n"));
    writeBytes(iniPath(), bytes);
    Fm1_IniFileRead(state, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(fileBytes(iniPath()), bytes);
    EXPECT_EQ(state.settings.lines[2], QStringLiteral("株式会社　モコペ商店 "));
    EXPECT_EQ(state.settings.screenColour, QStringLiteral("-2147483633"));
    EXPECT_EQ(state.settings.emoneyAccount, (AccountTriple{"118", "1180", QStringLiteral(" ＳＵＩＣＡ")}));
    EXPECT_EQ(state.settings.emoneyNameCopy, QStringLiteral(" ＳＵＩＣＡ"));
    EXPECT_EQ(state.settings.unsettledAccount.name, QStringLiteral("電子未決 "));
}

#ifndef Q_OS_WIN
// The file as it lies on disk: an atomic rewrite puts a new file in its place.
ino_t fileIdentity(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

TEST_F(SettingsFileTest, StartUpRewritesOnlyAFileNotYetInTheNormalisedForm)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        bool rewritten;
        // The file lacks a line: the user is told which.
        bool told = false;
    };
    const Case cases[] = {
        {"the defaults", kDefaultFile, false},
        {"fifteen values of the user's",
         "4\r\n 001 \r\nname \r\n20270331\r\n20260401,20270331\r\n-2147483633\r\n"
         "&HC0C0FF\r\n0\r\n0\r\n119\r\n1190\r\na\r\n118\r\n1180\r\nb\r\n",
         false},
        {"lines 7 and 8 empty",
         "0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n\r\n\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", false},
        {"a missing line",
         "0\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n&H8000000F\r\n1\r\n0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", true, true},
        {"a sixteenth line", kDefaultFile + "extra\r\n", true},
        {"an empty colour", "0\r\n\r\n\r\n\r\n\r\n\r\n&H8000000F\r\n1\r\n0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n",
         true},
        {"LF line ends", "0\n\n\n\n\n&H8000000F\n&H8000000F\n1\n0\n1\n2\n3\n4\n5\n6\n", true},
        {"no line end at the end", kDefaultFile.chopped(2), true},
    };
    for (const Case &c : cases) {
        writeBytes(iniPath(), c.bytes);
        const ino_t before = fileIdentity(iniPath());
        AppState fresh;
        fresh.programFolder = folder.path();
        messages.shown.clear();
        Fm1_IniFileRead(fresh, messages);
        EXPECT_EQ(messages.shown.size(), c.told ? 1u : 0u) << c.name;
        messages.shown.clear();
        EXPECT_EQ(fileIdentity(iniPath()) != before, c.rewritten) << c.name;
        const QByteArray after = fileBytes(iniPath());
        if (!c.rewritten) {
            EXPECT_EQ(after, c.bytes) << c.name;
        }
        // Rewritten or not, the file is now in the normalised form: the next
        // start leaves it.
        const ino_t normalised = fileIdentity(iniPath());
        AppState again;
        again.programFolder = folder.path();
        Fm1_IniFileRead(again, messages);
        EXPECT_EQ(fileIdentity(iniPath()), normalised) << c.name;
        EXPECT_EQ(fileBytes(iniPath()), after) << c.name;
        EXPECT_EQ(settingsFileLines(again.settings), settingsFileLines(fresh.settings)) << c.name;
    }
}
#endif

} // namespace
} // namespace mokpe::settings
