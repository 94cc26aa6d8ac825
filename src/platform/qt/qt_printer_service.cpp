#include "platform/qt/qt_printer_service.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#ifdef MOKPE_HAVE_CUPS
#include <cups/cups.h>
#endif
#ifdef MOKPE_CUPS_AT_RUN_TIME
#include <dlfcn.h>
#endif

namespace mokpe::platform {

namespace {

const QString kPrinterUnusable = QStringLiteral("プリンタ「%1」を使用できません．");
const QString kJobNotStarted = QStringLiteral("印刷ジョブを開始できません．");
const QString kJobNotFinished = QStringLiteral("印刷ジョブを完了できません．");
const QString kJobRefused = QStringLiteral("印刷ジョブが受け付けられませんでした（%1）．");

// Whether the print service accepted the job Qt submitted last on this thread;
// `reason` gets its answer when not.
bool submissionAccepted(QString &reason)
{
#if defined(MOKPE_CUPS_AT_RUN_TIME)
    // The CUPS library is not linked: loading it and the twenty libraries it
    // needs would delay every start of the program for the sake of printing.
    // Qt's CUPS print plugin has it loaded once a job went through CUPS; the
    // answer is kept there. Not loaded means no job went to CUPS.
    void *cups = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!cups)
        return true;
    const auto lastError = reinterpret_cast<decltype(&cupsLastError)>(dlsym(cups, "cupsLastError"));
    const auto lastErrorString =
        reinterpret_cast<decltype(&cupsLastErrorString)>(dlsym(cups, "cupsLastErrorString"));
    const bool accepted = !lastError || !lastErrorString || lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (!accepted)
        reason = kJobRefused.arg(QString::fromUtf8(lastErrorString()));
    dlclose(cups);
    return accepted;
#elif defined(MOKPE_HAVE_CUPS)
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return true;
    reason = kJobRefused.arg(QString::fromUtf8(cupsLastErrorString()));
    return false;
#else
    Q_UNUSED(reason);
    return true;
#endif
}

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
        if (!painter.end() || device.printerState() == QPrinter::Error) {
            failures.push_back({page, kJobNotFinished});
            continue;
        }
        QString reason;
        if (!submissionAccepted(reason))
            failures.push_back({page, reason});
    }
    if (!run.stopped)
        progress.setValue(pageCount);
    return run;
}

} // namespace mokpe::platform
