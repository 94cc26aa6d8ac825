#pragma once

#include "common/app_state.h"
#include "output/export_fields.h"
#include "platform/messages.h"

#include <QDate>

// The export dialog's side of "inifile.ini": the defaults, the reading when the
// dialog first opens and the writing after every run. Lines 1 to 4, 7 and 8
// are the dialog's; lines 9 to 14 go back exactly as they were read.
namespace mokpe::output {

// Defaults before the settings are read, from today's date: the fiscal year
// ends on 31 March, the period runs from 1 April.
void Fm3_DefaultSet(ExportFields &fields, QDate today);

// The dialog's opening read: defaults, then the lines of the settings file in
// the program folder. A missing file is written at once from the defaults.
void Fm3_IniFileRead(ExportFields &fields, const AppState &state, QDate today,
                     platform::MessageService &messages);

// Writes the 15 lines to `path`: the format choice, the dialog's values, the
// shared colours and lines 9 to 14 as read. A failed write leaves the old file
// whole and is told; returns whether the file was written.
bool Fm3_IniFileSave(ExportFields &fields, const AppState &state, const QString &path,
                     platform::MessageService &messages);

} // namespace mokpe::output
