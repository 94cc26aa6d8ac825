#include "app/launcher_registration.h"

#include "platform/settings_launcher_entry.h"
#include "settings/program_files.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>
#include <QFile>
#include <QSettings>

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace mokpe::app {
namespace {

// Records the order of the writes as well as the values.
class OrderedLauncherEntry final : public platform::LauncherEntryService {
public:
    void setValue(const QString &subkey, const QString &name, const QString &value) override
    {
        writes.append(subkey + QStringLiteral("|") + name + QStringLiteral("=") + value);
    }
    QStringList writes;
};

TEST(LauncherRegistration, EntryIsFourValuesInOrder)
{
    OrderedLauncherEntry launcher;
    RegEntrySet(launcher, QStringLiteral("C:\\Program Files\\Mokpe\\MokpeCnv.exe"));
    EXPECT_EQ(launcher.writes, (QStringList{
                                   "Plexar\\Vstart\\Program10|NO=-1",
                                   "Plexar\\Vstart\\Program10|Name=モコペ！",
                                   "Plexar\\Vstart\\Program10|Path=C:\\Program Files\\Mokpe\\MokpeCnv.exe",
                                   "Plexar\\Vstart\\Program10|START=0",
                               }));
}

TEST(LauncherRegistration, NumbersAreStoredAsDecimalText)
{
    test::FakeLauncherEntry launcher;
    RegValueSave(launcher, QStringLiteral("k"), QStringLiteral("a"), -2147483647 - 1);
    RegValueSave(launcher, QStringLiteral("k"), QStringLiteral("b"), 42);
    RegValueSave(launcher, QStringLiteral("k"), QStringLiteral("c"), QString());
    EXPECT_EQ(launcher.values.value("k\\a"), QStringLiteral("-2147483648"));
    EXPECT_EQ(launcher.values.value("k\\b"), QStringLiteral("42"));
    EXPECT_TRUE(launcher.values.contains("k\\c"));
    EXPECT_EQ(launcher.values.value("k\\c"), QString());
}

TEST(LauncherRegistration, ProgramPathIsTheGuiProgramInTheProgramFolder)
{
    AppState state;
    state.programFolder = QStringLiteral("/opt/mokpe dir");
#ifdef Q_OS_WIN
    EXPECT_EQ(settings::programExecutablePath(state), QStringLiteral("\\opt\\mokpe dir\\MokpeCnv.exe"));
#else
    EXPECT_EQ(settings::programExecutablePath(state), QStringLiteral("/opt/mokpe dir/MokpeCnv"));
#endif
}

TEST(SettingsLauncherEntry, WritingTwiceLeavesTheSameFourValues)
{
    test::TempFolder folder;
    const QString ini = folder.file(QStringLiteral("config/Tanvel/launcher.ini"));
    const QString program = QStringLiteral("/home/user/モコペ/Mokpe Cnv");
    for (int run = 0; run < 2; ++run) {
        platform::SettingsLauncherEntry launcher(ini);
        RegEntrySet(launcher, program);
    }
    QSettings read(ini, QSettings::IniFormat);
    EXPECT_EQ(read.status(), QSettings::NoError);
    EXPECT_EQ(read.allKeys(), (QStringList{
                                  "Software/Tanvel/Plexar/Vstart/Program10/NO",
                                  "Software/Tanvel/Plexar/Vstart/Program10/Name",
                                  "Software/Tanvel/Plexar/Vstart/Program10/Path",
                                  "Software/Tanvel/Plexar/Vstart/Program10/START",
                              }));
    read.beginGroup(QStringLiteral("Software/Tanvel/Plexar/Vstart/Program10"));
    EXPECT_EQ(read.value("NO").toString(), QStringLiteral("-1"));
    EXPECT_EQ(read.value("Name").toString(), QStringLiteral("モコペ！"));
    EXPECT_EQ(read.value("Path").toString(), program);
    EXPECT_EQ(read.value("START").toString(), QStringLiteral("0"));
}

#ifndef Q_OS_WIN
// The file as it lies on disk: an atomic rewrite puts a new file in its place.
ino_t fileIdentity(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

TEST(SettingsLauncherEntry, OnlyAChangedEntryRewritesTheFile)
{
    test::TempFolder folder;
    const QString ini = folder.file(QStringLiteral("config/Tanvel/launcher.ini"));
    struct Start {
        QString program;
        bool rewrites;
    };
    const Start starts[] = {
        {QStringLiteral("/opt/a/MokpeCnv"), true},
        {QStringLiteral("/opt/a/MokpeCnv"), false},
        {QStringLiteral("/opt/b/MokpeCnv"), true},
        {QStringLiteral("/opt/b/MokpeCnv"), false},
    };
    for (const Start &start : starts) {
        const ino_t before = fileIdentity(ini);
        platform::SettingsLauncherEntry launcher(ini);
        RegEntrySet(launcher, start.program);
        EXPECT_EQ(fileIdentity(ini) != before, start.rewrites) << start.program.toStdString();
        QSettings read(ini, QSettings::IniFormat);
        EXPECT_EQ(read.value("Software/Tanvel/Plexar/Vstart/Program10/Path").toString(), start.program);
    }
}

TEST(SettingsLauncherEntry, AValueOfAnotherKindIsWrittenAgain)
{
    test::TempFolder folder;
    const QString ini = folder.file(QStringLiteral("launcher.ini"));
    // A list where the launcher expects text: QSettings gives it back as a list.
    test::writeBytes(ini, "[Software]\nTanvel\\Plexar\\Vstart\\Program10\\Name=a, b\n");
    platform::SettingsLauncherEntry launcher(ini);
    RegEntrySet(launcher, QStringLiteral("/p"));
    QSettings read(ini, QSettings::IniFormat);
    EXPECT_EQ(read.value("Software/Tanvel/Plexar/Vstart/Program10/Name").toString(),
              QStringLiteral("モコペ！"));
}
#endif

TEST(SettingsLauncherEntry, DefaultFileLiesUnderTheUsersConfigFolder)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows keeps the entry in the registry";
#endif
    const QString path = platform::SettingsLauncherEntry::defaultIniPath();
    EXPECT_TRUE(path.endsWith(QStringLiteral("/Tanvel/launcher.ini"))) << path.toStdString();
    EXPECT_TRUE(path.startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")))) << path.toStdString();
}

TEST(SettingsLauncherEntry, WindowsKeepsTheEntryInTheUsersRegistry)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "only Windows has a registry";
#endif
    // A key of the test's own beside the program's, removed afterwards.
    const QString subkey = QStringLiteral("Plexar\\Vstart\\MokpeTest");
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Tanvel\\") + subkey;
    platform::SettingsLauncherEntry launcher;
    launcher.setValue(subkey, QStringLiteral("Name"), QStringLiteral("モコペ！"));
    launcher.setValue(subkey, QStringLiteral("Path"), QStringLiteral("C:\\Users\\会計\\MokpeCnv.exe"));
    QSettings read(key, QSettings::NativeFormat);
    EXPECT_EQ(read.value(QStringLiteral("Name")).toString(), QStringLiteral("モコペ！"));
    EXPECT_EQ(read.value(QStringLiteral("Path")).toString(), QStringLiteral("C:\\Users\\会計\\MokpeCnv.exe"));
    read.remove(QString());
    read.sync();
}

TEST(SettingsLauncherEntry, UnwritablePlacePassesSilently)
{
    test::TempFolder folder;
    // A file where the folder should be: nothing can be written, nothing is thrown.
    test::writeBytes(folder.file(QStringLiteral("blocked")), "x");
    platform::SettingsLauncherEntry launcher(folder.file(QStringLiteral("blocked/launcher.ini")));
    RegEntrySet(launcher, QStringLiteral("/p"));
    EXPECT_EQ(test::fileBytes(folder.file(QStringLiteral("blocked"))), QByteArray("x"));
}

} // namespace
} // namespace mokpe::app
