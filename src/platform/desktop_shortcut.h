#pragma once

#include "platform/shortcut.h"

#include <QByteArray>
#include <QString>

namespace mokpe::platform {

// A shortcut on the current user's desktop: a .lnk shell link on Windows, a
// freedesktop.org launcher (.desktop file, executable) elsewhere. The name
// may hold a user's entry from "person.csv", so it is made safe before it
// becomes a file name: the file is always directly inside the desktop folder
// and never hidden.
class DesktopShortcut final : public ShortcutService {
public:
    DesktopShortcut();
    // Shortcuts go into `desktopFolder` instead of the user's desktop.
    explicit DesktopShortcut(QString desktopFolder);

    QString createDesktopShortcut(const QString &name, const QString &target) override;

    // The file name (without extension) for a shortcut name: separators,
    // characters no file system takes, control characters, ".." and leading
    // dots become "_"; reserved device names get a "_" in front; at most 64
    // characters; an empty name becomes "モコペ！".
    static QString safeFileName(const QString &name);
    // The launcher file's bytes (UTF-8, LF line ends).
    static QByteArray desktopEntry(const QString &name, const QString &target);

private:
    QString desktopFolder_;
};

} // namespace mokpe::platform
