#include "support/program_folder_copy.h"

#include "settings/program_files.h"

#include <QDir>
#include <QFile>

namespace mokpe::test {

ProgramFolderCopy::ProgramFolderCopy(const QString &from)
{
    QDir().mkdir(program_);
    copyFiles(from, program_);
}

QString ProgramFolderCopy::file(const QString &name) const
{
    return settings::isProgramFileName(name, Qt::CaseSensitive) ? QDir(program_).filePath(name)
                                                                : folder_.file(name);
}

void ProgramFolderCopy::shareWithEveryone() const
{
    // Qt's flags for 0666, and for 0777 on the folders.
    const auto all = QFileDevice::Permissions::fromInt(0x6666);
    for (const QString &folder : {folder_.path(), program_}) {
        QFile::setPermissions(folder, QFileDevice::Permissions::fromInt(0x7777));
        for (const QString &name : QDir(folder).entryList(QDir::Files))
            QFile::setPermissions(QDir(folder).filePath(name), all);
    }
}

} // namespace mokpe::test
