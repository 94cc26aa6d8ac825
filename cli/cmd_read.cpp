#include "cli/commands.h"

#include "common/app_state.h"
#include "import/card_history_reader.h"
#include "platform/console_messages.h"

namespace mokpe::cli {

int runRead(const QStringList &args)
{
    if (args.size() != 1 || args.first().isEmpty() || args.first().startsWith(QLatin1String("--")))
        return usageError();
    AppState state;
    platform::ConsoleMessageService messages;
    if (!import::Fm1_CsvFileRead(state, args.first(), messages))
        return 2;
    printLine(QStringLiteral("card kind: %1").arg(state.history.cardKind));
    printLine(QStringLiteral("lines: %1").arg(state.history.lastLineIndex + 1));
    return 0;
}

} // namespace mokpe::cli
