#include "output/export_hand_over.h"

#include "output/export_options.h"
#include "output/export_settings.h"

namespace mokpe::output {

bool handOverChecks(journal::JournalEditor &editor)
{
    if (editor.Fm2_RowCountCheck() == -1)
        return false;
    if (editor.Fm2_BalanceCellCheck() == -1)
        return false;
    if (editor.Fm2_BlankCheck() != 0)
        return false;
    return editor.amountCheck();
}

void handOverFields(ExportFields &fields, AppState &state, QDate today, platform::MessageService &messages)
{
    if (!fields.opened) {
        fields.opened = true;
        Fm3_IniFileRead(fields, state, today, messages);
    }
    Fm3_SelectedKamoku(fields, state);
}

} // namespace mokpe::output
