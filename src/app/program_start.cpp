#include "app/program_start.h"

#include "app/os_version.h"
#include "maintenance/account_file_check.h"
#include "maintenance/code_system_select.h"
#include "maintenance/user_table.h"
#include "settings/settings_file.h"

namespace mokpe::app {

void programStart(AppState &state, const platform::Services &services)
{
    platform::MessageService &messages = *services.messages;
    settings::Fm1_IniFileRead(state, messages);
    state.history.cardKind = TransitCard;
    state.osMajorVersion = services.system ? osMajorVersion(services.system->osVersion()) : 0;
    readUserList(state, messages);
    maintenance::Fm1_KamokuFileCheck(state, messages);
    maintenance::KamokuSelect(state);
}

void readUserList(AppState &state, platform::MessageService &messages)
{
    state.summaryPrefix.clear();
    maintenance::PersonFileRead(state, messages);
}

} // namespace mokpe::app
