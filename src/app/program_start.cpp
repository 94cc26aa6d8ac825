#include "app/program_start.h"

#include "app/os_version.h"
#include "common/atomic_file.h"
#include "maintenance/account_file_check.h"
#include "maintenance/code_system_select.h"
#include "maintenance/user_table.h"
#include "settings/settings_file.h"

namespace mokpe::app {

bool programStart(AppState &state, platform::MessageService &messages, platform::SystemInfo &system,
                  settings::WhenUnusable whenUnusable)
{
    common::removeLeftoverTemporaries(state.programFolder);
    const bool settingsRead = settings::Fm1_IniFileRead(state, messages, whenUnusable);
    state.history.cardKind = TransitCard;
    state.osMajorVersion = osMajorVersion(system.osVersion());
    const bool usersRead = readUserList(state, messages);
    const bool accountsUsable =
        maintenance::Fm1_KamokuFileCheck(state, messages, QDateTime::currentDateTime(), whenUnusable);
    maintenance::selectCodeSystem(state);
    return settingsRead && usersRead && accountsUsable;
}

bool readUserList(AppState &state, platform::MessageService &messages)
{
    state.summaryPrefix.clear();
    state.userEntry.clear();
    return maintenance::PersonFileRead(state, messages);
}

} // namespace mokpe::app
