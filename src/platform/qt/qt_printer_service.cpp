#include "platform/qt/qt_printer_service.h"

#include "platform/qt/print_job_answer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace mokpe::platform {

namespace {

const QString kPrinterUnusable = QStringLiteral("プリンタ「%1」を使用できません．");
const QString kJobNotStarted = QStringLiteral("印刷ジョブを開始できません．");
const QString kJobNotFinished = QStringLiteral("印刷ジョブを完了できません．");
const QString kJobRefused = QStringLiteral("印刷ジョブが受け付けられませんでした（%1）．");

} // namespace

QStringList QtPrinterService::printerNames()
{
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinterService::defaultPrinter()
{
    return QPrinterInfo::defaultPrinterName();
}

PrintRun QtPrinterService::printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                                            const PageDrawer &draw, common::Progress &progress)
{
    const QString target = printer.isEmpty() ? defaultPrinter() : printer;
    PrintRun run;
    std::vector<PrintFailure> &failures = run.failures;
    progress.setRange(pageCount);
    progress.setValue(0);
    for (int index = 0; index < pageCount; ++index) {
        // Each page is a job of its own: stopping between two leaves no job half sent.
        if (index > 0) {
            progress.setValue(index);
            if (progress.wasCanceled()) {
                run.stopped = true;
                break;
            }
        }
        run.pagesDone = index + 1;
        const int page = index + 1;
        QPrinter device(QPrinter::HighResolution);
        device.setPrinterName(target);
        if (target.isEmpty() || !device.isValid() || device.printerName() != target) {
            failures.push_back({page, kPrinterUnusable.arg(target)});
            continue;
        }
        device.setFullPage(true);
        device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        device.setDocName(QStringLiteral("%1 (%2/%3)").arg(jobName).arg(page).arg(pageCount));
        device.setCreator(QStringLiteral("モコペ！"));
        QPainter painter;
        if (!painter.begin(&device)) {
            failures.push_back({page, kJobNotStarted});
            continue;
        }
        draw(painter, index);
        const PrintJobAnswer answer;
        if (!painter.end() || device.printerState() == QPrinter::Error) {
            failures.push_back({page, kJobNotFinished});
            continue;
        }
        if (const std::optional<QString> refusal = answer.refusal())
            failures.push_back({page, refusal->isEmpty() ? kJobNotFinished : kJobRefused.arg(*refusal)});
    }
    if (!run.stopped)
        progress.setValue(pageCount);
    return run;
}

} // namespace mokpe::platform
