#include "output/report_pdf_save.h"

#include "journal/output_target.h"
#include "output/csv_export.h"
#include "output/report_pdf.h"

#include <QDir>
#include <QFileInfo>

namespace mokpe::output {

QString reportPdfName(const QString &sourceName)
{
    const QString base = QFileInfo(sourceName).completeBaseName();
    return (base.isEmpty() ? QStringLiteral("精算印刷") : base) + QStringLiteral(".pdf");
}

bool saveReportAsPdf(const AppState &state, const SettlementReport &report, const QString &presetName,
                     const QString &fallbackFolder, platform::MessageService &messages,
                     platform::FileDialogService &dialogs)
{
    const QString path =
        dialogs.saveFile({platform::FileKind::Report, platform::qtFilterFromPairs(kPdfFilterPairs),
                          presetName, fallbackFolder});
    if (path.isEmpty())
        return false;
    if (const QString refusal = journal::outputTargetCheck(state, path, journal::OutputKind::Report);
        !refusal.isEmpty()) {
        messages.inform(refusal);
        return false;
    }
    if (QFileInfo::exists(path) && !messages.ask(kOverwriteQuestion, kOverwriteTitle))
        return false;
    if (const QString error = writeReportPdf(path, report); !error.isEmpty()) {
        messages.inform(error);
        return false;
    }
    messages.inform(kPdfSavedMessage.arg(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace mokpe::output
