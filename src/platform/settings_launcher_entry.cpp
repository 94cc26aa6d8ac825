#include "platform/settings_launcher_entry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace mokpe::platform {

namespace {
const QString kSoftwareKey = QStringLiteral("Software\\Tanvel\\");
}

SettingsLauncherEntry::SettingsLauncherEntry()
{
#ifdef Q_OS_WIN
    useRegistry_ = true;
#else
    iniPath_ = defaultIniPath();
#endif
}

SettingsLauncherEntry::SettingsLauncherEntry(const QString &iniPath) : iniPath_(iniPath)
{}

QString SettingsLauncherEntry::defaultIniPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation))
        .filePath(QStringLiteral("Tanvel/launcher.ini"));
}

void SettingsLauncherEntry::setValue(const QString &subkey, const QString &name, const QString &value)
{
    // A failed write passes silently: the program runs the same without the entry.
    if (useRegistry_) {
        QSettings registry(QStringLiteral("HKEY_CURRENT_USER\\") + kSoftwareKey + subkey,
                           QSettings::NativeFormat);
        registry.setValue(name, value);
        registry.sync();
        return;
    }
    if (iniPath_.isEmpty())
        return;
    QSettings ini(iniPath_, QSettings::IniFormat);
    QString group = kSoftwareKey + subkey;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    ini.beginGroup(group);
    ini.setValue(name, value);
    ini.endGroup();
    ini.sync();
}

} // namespace mokpe::platform
