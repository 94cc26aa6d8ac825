#include "output/export_hand_over.h"

#include "output/export_options.h"
#include "output/export_settings.h"

namespace mokpe::output {

bool handOverChecks(journal::JournalEditor &editor)
{
    return editor.Fm2_RowCountCheck() && editor.Fm2_BalanceCellCheck() && editor.Fm2_BlankCheck() &&
           editor.amountCheck();
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
