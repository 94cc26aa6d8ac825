#include "platform/settings_launcher_entry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace mokpe::platform {

namespace {
const QString kSoftwareKey = QStringLiteral("Software\\Tanvel\\");

// The entry is written at every start and is nearly always there already:
// rewriting the same values would cost a synced file write (a registry flush
// on Windows) each time before the main window can show.
bool holds(const QSettings &settings, const QString &name, const QString &value)
{
    if (settings.status() != QSettings::NoError || !settings.contains(name))
        return false;
    const QVariant stored = settings.value(name);
    return stored.typeId() == QMetaType::QString && stored.toString() == value;
}
} // namespace

SettingsLauncherEntry::SettingsLauncherEntry()
{
#ifdef Q_OS_WIN
    useRegistry_ = true;
#else
    iniPath_ = defaultIniPath();
#endif
}

SettingsLauncherEntry::SettingsLauncherEntry(QString iniPath) : iniPath_(std::move(iniPath))
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
        if (holds(registry, name, value))
            return;
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
    if (holds(ini, name, value))
        return;
    ini.setValue(name, value);
    ini.endGroup();
    ini.sync();
}

} // namespace mokpe::platform
