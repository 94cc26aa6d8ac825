#include "app/launcher_registration.h"

#include "common/app_state.h"

namespace mokpe::app {

void RegValueSave(platform::LauncherEntryService &launcher, const QString &subkey, const QString &name,
                  const QString &value)
{
    launcher.setValue(subkey, name, value);
}

void RegValueSave(platform::LauncherEntryService &launcher, const QString &subkey, const QString &name,
                  int value)
{
    RegValueSave(launcher, subkey, name, QString::number(value));
}

void RegEntrySet(platform::LauncherEntryService &launcher, const QString &programPath)
{
    // "NO" and "START" mean something to the launcher only; they are fixed here.
    RegValueSave(launcher, kLauncherSubkey, QStringLiteral("NO"), -1);
    RegValueSave(launcher, kLauncherSubkey, QStringLiteral("Name"), kProgramCaption);
    RegValueSave(launcher, kLauncherSubkey, QStringLiteral("Path"), programPath);
    RegValueSave(launcher, kLauncherSubkey, QStringLiteral("START"), 0);
}

} // namespace mokpe::app
