#pragma once

#include "journal/journal_editor.h"

// What the journal editor's "ＣＳＶ出力" checks before it hands over to the
// export dialog.
namespace mokpe::output {

// The row count, the balance cells, the blank cells and the amounts, in this
// order; each check tells its own message. True when all pass: the editor may hide
// and the dialog show (ExportDialog::handOver). Else the editor stays as it is.
bool handOverChecks(journal::JournalEditor &editor);

} // namespace mokpe::output
