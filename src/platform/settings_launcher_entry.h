#pragma once

#include "platform/launcher_entry.h"

namespace mokpe::platform {

// The launcher entry through QSettings: on Windows the registry key
// HKEY_CURRENT_USER\Software\Tanvel\<subkey> (string values); elsewhere the
// group "Software/Tanvel/<subkey>" of an INI file, by default
// <user config folder>/Tanvel/launcher.ini. Each value is set in place, so
// writing the entry again leaves the same values, not a second copy.
class SettingsLauncherEntry final : public LauncherEntryService {
public:
    SettingsLauncherEntry();
    // Always the INI file at `iniPath`, on every platform.
    explicit SettingsLauncherEntry(QString iniPath);

    void setValue(const QString &subkey, const QString &name, const QString &value) override;

    QString iniPath() const { return iniPath_; }

    // The INI file used where there is no registry.
    static QString defaultIniPath();

private:
    QString iniPath_;
    bool useRegistry_ = false;
};

} // namespace mokpe::platform
