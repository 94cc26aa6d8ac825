#include "app/program_path.h"

#include <QDir>

namespace mokpe::app {

QString programExecutablePath(const AppState &state)
{
#ifdef Q_OS_WIN
    const QString fileName = QStringLiteral("MokpeCnv.exe");
#else
    const QString fileName = QStringLiteral("MokpeCnv");
#endif
    return QDir::toNativeSeparators(QDir(state.programFolder).filePath(fileName));
}

} // namespace mokpe::app
