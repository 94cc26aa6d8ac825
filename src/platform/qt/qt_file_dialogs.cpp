#include "platform/qt/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace mokpe::platform {

QString QtFileDialogService::openFile(const QString &filter)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), QString(), filter);
}

QString QtFileDialogService::saveFile(const QString &filter, const QString &presetName)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), presetName, filter);
}

} // namespace mokpe::platform
