#include "cli/commands.h"

#include "common/app_state.h"
#include "import/card_history_reader.h"
#include "platform/console_messages.h"

namespace mokpe::cli {

int runRead(const QStringList &args)
{
    const QString command = QStringLiteral("read");
    CommandLine line({});
    if (!line.parse(args))
        return usageError(command, line.problem());
    const QStringList files = line.positionalArguments();
    if (files.isEmpty() || files.first().isEmpty())
        return usageError(command, QStringLiteral("FILE is missing"));
    if (const QString problem = positionalProblem(files, 1); !problem.isEmpty())
        return usageError(command, problem);
    AppState state;
    platform::ConsoleMessageService messages;
    if (import::Fm1_CsvFileRead(state, files.first(), messages) != import::CsvReadOutcome::Accepted)
        return 2;
    printLine(QStringLiteral("card kind: %1").arg(state.history.cardKind));
    printLine(QStringLiteral("lines: %1").arg(state.history.lastLineIndex + 1));
    return 0;
}

} // namespace mokpe::cli
