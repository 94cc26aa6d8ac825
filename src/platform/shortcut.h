#pragma once

#include <QString>

namespace mokpe::platform {

// Creates a desktop shortcut to a program; failures pass silently.
class ShortcutService {
public:
    virtual ~ShortcutService() = default;
    // A shortcut named `name` on the current user's desktop, starting `target`.
    // Returns the path written, or empty when nothing could be written.
    virtual QString createDesktopShortcut(const QString &name, const QString &target) = 0;
};

} // namespace mokpe::platform
