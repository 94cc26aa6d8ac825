#include "support/fake_printers.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace mokpe::test {

platform::PrintRun FakePrinterService::printPagesAsJobs(const QString &printer, const QString &jobName,
                                                        int pageCount, const platform::PageDrawer &draw,
                                                        common::Progress &progress)
{
    const QString target = printer.isEmpty() ? defaultName : printer;
    platform::PrintRun run;
    std::vector<platform::PrintFailure> &failures = run.failures;
    progress.setRange(pageCount);
    progress.setValue(0);
    for (int index = 0; index < pageCount; ++index) {
        if (index > 0) {
            progress.setValue(index);
            if (progress.wasCanceled()) {
                run.stopped = true;
                break;
            }
        }
        run.pagesDone = index + 1;
        const int page = index + 1;
        if (failingPages.contains(page)) {
            failures.push_back({page, kRefusal});
            continue;
        }
        QByteArray bytes;
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(600);
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
            QPainter painter(&writer);
            draw(painter, index);
        }
        jobs.push_back({target, QStringLiteral("%1 (%2/%3)").arg(jobName).arg(page).arg(pageCount), bytes});
    }
    if (!run.stopped)
        progress.setValue(pageCount);
    return run;
}

} // namespace mokpe::test
