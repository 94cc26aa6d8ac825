#pragma once

#include "platform/printer_service.h"

namespace mokpe::platform {

// The system's printers through Qt (CUPS on Linux). Each page is its own
// QPrinter job; on CUPS the answer to the submission is read back, since Qt
// itself drops it.
class QtPrinterService final : public PrinterService {
public:
    QStringList printerNames() override;
    QString defaultPrinter() override;
    PrintRun printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                              const PageDrawer &draw, common::Progress &progress) override;
};

} // namespace mokpe::platform
