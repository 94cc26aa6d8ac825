#pragma once

#include "common/app_state.h"
#include "platform/messages.h"

#include <QString>

namespace mokpe::output {

class SettlementReport;

// Writes the report into one PDF at `path`, one PDF page per report page, with
// the face embedded so that its text can be searched and copied. The file is
// replaced only when the whole PDF was written. Empty text on success, else the
// message for the user.
QString writeReportPdf(const QString &path, const SettlementReport &report);

// The report of the journal open in `state` saved as a PDF at the path a save
// dialog (or -o) gave: refused, before anything is written, where no output
// may go (the journal's own input, a file of the program folder, a pipe or a
// device), then written. Every refusal and failure is told; true when written.
bool saveReportPdf(const AppState &state, const QString &path, const SettlementReport &report,
                   platform::MessageService &messages);

} // namespace mokpe::output
