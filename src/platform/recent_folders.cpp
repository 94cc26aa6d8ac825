#include "platform/recent_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace mokpe::platform {

namespace {

QString keyOf(FileKind kind)
{
    switch (kind) {
    case FileKind::History:
        return QStringLiteral("folders/history");
    case FileKind::Journal:
        return QStringLiteral("folders/journal");
    case FileKind::Export:
        return QStringLiteral("folders/export");
    case FileKind::Report:
        return QStringLiteral("folders/report");
    }
    return {};
}

bool isFolder(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

} // namespace

RecentFolders::RecentFolders() : iniPath_(defaultIniPath())
{}

RecentFolders::RecentFolders(QString iniPath) : iniPath_(std::move(iniPath))
{}

QString RecentFolders::defaultIniPath()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Tanvel/MokpeCnv.ini"));
}

QString RecentFolders::folder(FileKind kind) const
{
    const QSettings settings(iniPath_, QSettings::IniFormat);
    const QString stored = settings.value(keyOf(kind)).toString();
    return isFolder(stored) ? stored : QString();
}

void RecentFolders::remember(FileKind kind, const QString &chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    const QString folder = QFileInfo(chosenPath).absolutePath();
    QSettings settings(iniPath_, QSettings::IniFormat);
    if (settings.value(keyOf(kind)).toString() == folder)
        return;
    settings.setValue(keyOf(kind), folder);
    settings.sync();
}

QString RecentFolders::startFolder(const FileRequest &request) const
{
    if (QString last = folder(request.kind); !last.isEmpty())
        return last;
    if (isFolder(request.fallbackFolder))
        return QFileInfo(request.fallbackFolder).absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return isFolder(documents) ? documents : QDir::homePath();
}

} // namespace mokpe::platform
