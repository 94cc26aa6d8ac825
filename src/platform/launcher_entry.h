#pragma once

#include <QString>

namespace mokpe::platform {

// The launcher entry under the current user's software settings: on Windows the
// registry key HKEY_CURRENT_USER\Software\Tanvel\<subkey>, elsewhere the same key
// and values in an INI file under the user's configuration folder.
class LauncherEntryService {
public:
    virtual ~LauncherEntryService() = default;
    // Sets one string value under "Software\Tanvel\" + subkey (subkey parts
    // separated by "\"); failures pass silently.
    virtual void setValue(const QString &subkey, const QString &name, const QString &value) = 0;
};

} // namespace mokpe::platform
