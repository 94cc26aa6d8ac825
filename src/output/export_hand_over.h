#pragma once

#include "common/app_state.h"
#include "journal/journal_editor.h"
#include "output/export_fields.h"
#include "platform/messages.h"

#include <QDate>

// "ＣＳＶ出力": what the journal editor checks before it hands over to the
// export dialog, and what the dialog sets up as it takes over.
namespace mokpe::output {

// The row count, the balance cells, the blank cells and the amounts, in this
// order; each check tells its own message. True when all pass: the editor may hide
// and the dialog show (ExportDialog::handOver). Else the editor stays as it is.
bool handOverChecks(journal::JournalEditor &editor);

// The dialog's fields at a hand-over: at the first one the settings are read
// (Fm3_IniFileRead; `fields.opened` set), at every one the format options of
// the code system in force are set up again (Fm3_SelectedKamoku), since the
// account table may have changed the code system in between.
void handOverFields(ExportFields &fields, AppState &state, QDate today, platform::MessageService &messages);

} // namespace mokpe::output
