#pragma once

#include "platform/launcher_entry.h"

#include <QString>

// The entry the maker's menu program reads to offer this program, written at
// every start.
namespace mokpe::app {

inline const QString kLauncherSubkey = QStringLiteral("Plexar\\Vstart\\Program10");

// Sets one value under "Software\Tanvel\" + subkey, always as a string;
// failures pass silently.
void RegValueSave(platform::LauncherEntryService &launcher, const QString &subkey, const QString &name,
                  const QString &value);
// A number is stored as its decimal text.
void RegValueSave(platform::LauncherEntryService &launcher, const QString &subkey, const QString &name,
                  int value);

// Writes "NO", "Name", "Path" and "START", in that order.
void RegEntrySet(platform::LauncherEntryService &launcher, const QString &programPath);

} // namespace mokpe::app
