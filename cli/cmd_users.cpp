#include "cli/commands.h"

#include "common/atomic_file.h"
#include "maintenance/user_table.h"
#include "platform/console_messages.h"
#include "settings/settings_file.h"

namespace mokpe::cli {

// Reads the user file as start-up does (settings first, so that the user file is
// looked for beside it) and prints what the main window would list.
int runUsers(const QStringList &arguments)
{
    CommandLine line({dirOption()});
    QString dir;
    if (const QString problem = parseFolderCommand(line, arguments, dir); !problem.isEmpty())
        return usageError(QStringLiteral("users"), problem);
    AppState state;
    state.programFolder = dir;
    platform::ConsoleMessageService messages;
    if (!programFolderCheck(dir, messages))
        return 2;
    // As at every start: what writes cut short left in the folder goes.
    common::removeLeftoverTemporaries(dir);
    if (!settings::Fm1_IniFileRead(state, messages, settings::WhenUnusable::Stop) ||
        !maintenance::PersonFileRead(state, messages))
        return 2;
    const QStringList users = maintenance::listedUsers(state.users);
    for (qsizetype i = 0; i < users.size(); ++i)
        printLine(QStringLiteral("%1: %2").arg(i + 1).arg(users.at(i)));
    return 0;
}

} // namespace mokpe::cli
