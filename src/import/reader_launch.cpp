#include "import/reader_launch.h"

#include "import/import_messages.h"

#include <QDir>

namespace mokpe::import {

void readerLaunchCommand(platform::MessageService &messages, platform::FileSystemQuery &files,
                         platform::ProcessLauncher &processes)
{
    QString program;
    for (const QString &candidate : kReaderPaths) {
        if (files.exists(candidate)) {
            program = candidate;
            break;
        }
    }
    if (program.isEmpty()) {
        messages.inform(kReaderNotFoundMessage);
        return;
    }
    if (!processes.startDetached(program, {}))
        messages.inform(kReaderStartFailedMessage.arg(QDir::toNativeSeparators(program)));
}

} // namespace mokpe::import
