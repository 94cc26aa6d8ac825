#pragma once

#include "platform/printer_service.h"

namespace mokpe::platform {

// The system's printers through Qt (CUPS on Linux, the spooler on Windows).
// Each page is its own QPrinter job; the print service's answer to it is read
// back (PrintJobAnswer), since Qt itself drops it.
class QtPrinterService final : public PrinterService {
public:
    QStringList printerNames() override;
    QString defaultPrinter() override;
    PrintRun printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                              const PageDrawer &draw, common::Progress &progress) override;
};

} // namespace mokpe::platform
