#pragma once

#include "common/app_state.h"
#include "platform/file_dialogs.h"
#include "platform/messages.h"

#include <QString>

namespace mokpe::output {

class SettlementReport;

inline const QString kSaveAsPdfCaption = QStringLiteral("PDFで保存");
inline const QString kPdfFilterPairs = QStringLiteral("PDFファイル (*.pdf)|*.pdf|");
// %1: the file written.
inline const QString kPdfSavedMessage = QStringLiteral("精算書をPDFで保存しました．\r\n%1");

// The name offered for the report's PDF: the journal's file name with ".pdf".
QString reportPdfName(const QString &sourceName);

// "PDFで保存": asks where (a save dialog for the report's kind of file, opened
// in the folder last used for it, else in `fallbackFolder`), refuses where no
// output may go (the journal's input in `state`, a file of its program folder,
// a pipe or a device), asks before replacing a file, and writes the report
// there as `mokpe report -o` does. A cancelled dialog writes nothing and says
// nothing. True when written.
bool saveReportAsPdf(const AppState &state, const SettlementReport &report, const QString &presetName,
                     const QString &fallbackFolder, platform::MessageService &messages,
                     platform::FileDialogService &dialogs);

} // namespace mokpe::output
