#include "import/reader_launch.h"

#include "import/import_messages.h"

#include <QDir>

namespace mokpe::import {

void readerLaunchCommand(const platform::Services &services)
{
    QString program;
    for (const QString &candidate : kReaderPaths) {
        if (services.files->exists(candidate)) {
            program = candidate;
            break;
        }
    }
    if (program.isEmpty()) {
        services.messages->inform(kReaderNotFoundMessage);
        return;
    }
    if (!services.processes->startDetached(program, {}))
        services.messages->inform(kReaderStartFailedMessage.arg(QDir::toNativeSeparators(program)));
}

} // namespace mokpe::import
