#include "cli/commands.h"

#include "common/atomic_file.h"
#include "platform/console_messages.h"
#include "settings/settings_file.h"

namespace mokpe::cli {

int runSettings(const QStringList &arguments)
{
    CommandLine line({dirOption()});
    QString dir;
    if (const QString problem = parseFolderCommand(line, arguments, dir); !problem.isEmpty())
        return usageError(QStringLiteral("settings"), problem);
    AppState state;
    state.programFolder = dir;
    platform::ConsoleMessageService messages;
    if (!programFolderCheck(dir, messages))
        return 2;
    // As at every start: what writes cut short left in the folder goes.
    common::removeLeftoverTemporaries(dir);
    if (!settings::Fm1_IniFileRead(state, messages, settings::WhenUnusable::Stop))
        return 2;
    for (int i = 0; i < SettingsRecord::kLineCount; ++i)
        printLine(QStringLiteral("%1: %2").arg(i).arg(state.settings.lines[static_cast<size_t>(i)]));
    return 0;
}

} // namespace mokpe::cli
