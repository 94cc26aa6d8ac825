#include "cli/commands.h"

#include "common/app_state.h"
#include "import/card_history_reader.h"
#include "platform/console_messages.h"

namespace mokpe::cli {

int runRead(const QStringList &args)
{
    const QString command = QStringLiteral("read");
    if (args.isEmpty() || args.first().isEmpty())
        return usageError(command, QStringLiteral("FILE is missing"));
    if (args.first().startsWith(QLatin1String("--")))
        return usageError(command, leftOverProblem(args));
    if (args.size() > 1)
        return usageError(command, leftOverProblem(args.mid(1)));
    AppState state;
    platform::ConsoleMessageService messages;
    if (!import::Fm1_CsvFileRead(state, args.first(), messages))
        return 2;
    printLine(QStringLiteral("card kind: %1").arg(state.history.cardKind));
    printLine(QStringLiteral("lines: %1").arg(state.history.lastLineIndex + 1));
    return 0;
}

} // namespace mokpe::cli
