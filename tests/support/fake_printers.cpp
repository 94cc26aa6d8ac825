#include "support/fake_printers.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace mokpe::test {

std::vector<platform::PrintFailure> FakePrinterService::printPagesAsJobs(const QString &printer,
                                                                         const QString &jobName,
                                                                         int pageCount,
                                                                         const platform::PageDrawer &draw)
{
    const QString target = printer.isEmpty() ? defaultName : printer;
    std::vector<platform::PrintFailure> failures;
    for (int index = 0; index < pageCount; ++index) {
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
    return failures;
}

} // namespace mokpe::test
