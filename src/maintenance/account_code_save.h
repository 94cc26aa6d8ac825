#pragma once

#include "maintenance/account_editor_contents.h"
#include "platform/messages.h"

// Saving the account code editor ("保　存" answered Yes).
namespace mokpe::maintenance {

// Takes the fixed accounts into the settings record (and resets the format
// choice to "0" when the code system in force is not the set loaded last),
// checks the contents, writes "kamoku_code.csv" atomically, makes the account
// code table exactly the lines written, and writes and re-reads the settings
// file. A refused check or a failed write is shown and changes nothing: not the
// file, not the table, not the settings record. Returns whether the file was saved.
bool Fm8_KamokuSave(AppState &state, const AccountEditorContents &contents,
                    platform::MessageService &messages);

} // namespace mokpe::maintenance
