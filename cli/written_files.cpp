#include "cli/written_files.h"

#include <QDir>

namespace mokpe::cli {

int WrittenFiles::exitStatus(platform::MessageService &messages) const
{
    if (notWritten_.isEmpty())
        return 0;
    if (!written_.isEmpty()) {
        QStringList lines;
        for (const QString &path : written_)
            lines.append(QStringLiteral("書き込んだファイル：「%1」").arg(QDir::toNativeSeparators(path)));
        for (const QString &path : notWritten_)
            lines.append(
                QStringLiteral("書き込んでいないファイル：「%1」").arg(QDir::toNativeSeparators(path)));
        messages.inform(lines.join(QStringLiteral("\r\n")));
    }
    return 2;
}

} // namespace mokpe::cli
