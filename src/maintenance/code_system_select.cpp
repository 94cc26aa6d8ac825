#include "maintenance/code_system_select.h"

#include "common/vb_strings.h"

namespace mokpe::maintenance {

void selectCodeSystem(AppState &state)
{
    // Text that is no number counts as no format chosen.
    const qint64 choice = common::toWholeNumber(state.settings.formatChoice).value_or(0);
    if (choice == 1 || choice == 2)
        state.codeSystemState = 1;
    else if (choice == 3 || choice == 4)
        state.codeSystemState = 0;
}

} // namespace mokpe::maintenance
