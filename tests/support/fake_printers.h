#pragma once

#include "platform/printer_service.h"

#include <QByteArray>
#include <QSet>

namespace mokpe::test {

// Printers as a test sets them up. Every page that "prints" is drawn into a
// PDF of its own, so a test can read back what each job held.
class FakePrinterService final : public platform::PrinterService {
public:
    QStringList printerNames() override { return names; }
    QString defaultPrinter() override { return defaultName; }
    platform::PrintRun printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                                        const platform::PageDrawer &draw,
                                        common::Progress &progress) override;

    struct Job {
        QString printer;
        QString name;
        QByteArray pdf;
    };
    QStringList names;
    QString defaultName;
    // Pages (from 1) whose job the printer refuses with kRefusal.
    QSet<int> failingPages;
    std::vector<Job> jobs;
    static inline const QString kRefusal = QStringLiteral("用紙がありません");
};

} // namespace mokpe::test
