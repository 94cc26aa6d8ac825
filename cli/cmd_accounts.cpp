#include "cli/commands.h"

#include "common/atomic_file.h"
#include "maintenance/account_code_file.h"
#include "maintenance/account_code_save.h"
#include "maintenance/account_file_check.h"
#include "maintenance/code_system_select.h"
#include "maintenance/default_account_sets.h"
#include "platform/console_messages.h"
#include "settings/settings_file.h"

#include <optional>

namespace mokpe::cli {

namespace {

void printTable(const AppState &state)
{
    printLine(QStringLiteral("code system: %1").arg(state.codeSystemState));
    for (int i = 0; i <= state.accounts.lastIndex && i < state.accounts.lines.size(); ++i)
        printLine(state.accounts.lines.at(i));
}

} // namespace

// The account code start-up of the main window; with "--load", what the account
// code editor does on a default set button, "保　存" answered Yes, then "閉じる".
int runAccounts(const QStringList &arguments)
{
    CommandLine line({dirOption(), {QStringLiteral("--load")}});
    QString dir;
    if (const QString problem = parseFolderCommand(line, arguments, dir); !problem.isEmpty())
        return usageError(QStringLiteral("accounts"), problem);
    const std::optional<QString> set = line.value(QStringLiteral("--load"));
    std::optional<maintenance::DefaultAccountSet> load;
    if (set == QLatin1String("w"))
        load = maintenance::DefaultAccountSet::WCodes;
    else if (set == QLatin1String("kai"))
        load = maintenance::DefaultAccountSet::FuurinCodes;
    else if (set)
        return usageError(QStringLiteral("accounts"),
                          QStringLiteral("--load %1: expected w or kai").arg(*set));

    AppState state;
    state.programFolder = dir;
    platform::ConsoleMessageService messages;
    if (!programFolderCheck(dir, messages))
        return 2;
    // As at every start: what writes cut short left in the folder goes.
    common::removeLeftoverTemporaries(dir);
    if (!settings::Fm1_IniFileRead(state, messages, settings::WhenUnusable::Stop))
        return 2;
    // Loading a set replaces a table that could not be used: the command goes on.
    const bool tableUsable =
        maintenance::Fm1_KamokuFileCheck(state, messages, QDateTime::currentDateTime(),
                                         load ? settings::WhenUnusable::GoOn : settings::WhenUnusable::Stop);
    maintenance::selectCodeSystem(state);

    if (load) {
        // Loading a set replaces a table that could not be used: that is its purpose.
        const maintenance::AccountEditorContents contents = maintenance::loadDefaultSet(state, *load);
        if (!maintenance::Fm8_KamokuSave(state, contents, messages) ||
            !maintenance::KamokuFileRead(state, messages))
            return 2;
    } else if (!tableUsable) {
        return 2;
    }
    printTable(state);
    return 0;
}

} // namespace mokpe::cli
