#include "platform/qt/qt_file_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace mokpe::platform {

QString QtFileDialogService::openFile(const FileRequest &request)
{
    const QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(),
                                                      folders_.startFolder(request), request.filter);
    folders_.remember(request.kind, path);
    return path;
}

QString QtFileDialogService::saveFile(const FileRequest &request)
{
    const QString preset = QDir(folders_.startFolder(request)).filePath(request.presetName);
    // The program asks its own question before it replaces a file.
    const QString path =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), preset, request.filter, nullptr,
                                     QFileDialog::DontConfirmOverwrite);
    folders_.remember(request.kind, path);
    return path;
}

} // namespace mokpe::platform
