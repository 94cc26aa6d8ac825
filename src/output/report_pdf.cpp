#include "output/report_pdf.h"

#include "common/app_state.h"
#include "common/atomic_file.h"
#include "common/text_file.h"
#include "journal/output_target.h"
#include "output/report_painter.h"
#include "output/settlement_report.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>

namespace mokpe::output {

namespace {
constexpr int kPdfResolution = 1200;
}

QString writeReportPdf(const QString &path, const SettlementReport &report)
{
    common::AtomicFile file(path);
    if (QString error = common::openAtomicWrite(file); !error.isEmpty())
        return error;

    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setCreator(kProgramCaption);
        writer.setTitle(QFileInfo(path).completeBaseName());
        setUpReportPage(writer);
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return common::writeFailureMessage(path, QStringLiteral("PDF を作成できません．"));
        }
        paintReport(painter, writer, report);
        painter.end();
    }
    return common::commitAtomicWrite(file);
}

bool saveReportPdf(const AppState &state, const QString &path, const SettlementReport &report,
                   platform::MessageService &messages)
{
    QString error = journal::outputTargetCheck(state, path, journal::OutputKind::Report);
    if (error.isEmpty())
        error = writeReportPdf(path, report);
    if (!error.isEmpty())
        messages.inform(error);
    return error.isEmpty();
}

} // namespace mokpe::output
