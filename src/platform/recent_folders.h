#pragma once

#include "platform/file_dialogs.h"

#include <QString>

namespace mokpe::platform {

// The folder last used for each kind of file, kept per user in the user's
// configuration (an INI file through QSettings), never in the program folder:
// "inifile.ini" has its fixed fifteen lines.
class RecentFolders {
public:
    // The user's own file: <configuration>/Tanvel/MokpeCnv.ini.
    RecentFolders();
    explicit RecentFolders(QString iniPath);
    static QString defaultIniPath();

    // The folder last used for `kind`; empty when none was, or when it is gone.
    QString folder(FileKind kind) const;
    // The folder of `chosenPath` becomes the one last used for `kind`. A
    // failed write passes silently: the next dialog opens in the fallback.
    void remember(FileKind kind, const QString &chosenPath);
    // Where a dialog for `request` opens: the folder last used for its kind,
    // else its fallback folder, else the user's documents (or home).
    QString startFolder(const FileRequest &request) const;

private:
    QString iniPath_;
};

} // namespace mokpe::platform
