#include "platform/file_dialogs.h"

#include <QStringList>

namespace mokpe::platform {

QString qtFilterFromPairs(const QString &pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        const QString patterns =
            QString(parts.at(i + 1)).replace(QLatin1Char(';'), QLatin1Char(' ')).trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        // The description usually names its patterns already: "CSVファイル (*.csv)".
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')')))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace mokpe::platform
