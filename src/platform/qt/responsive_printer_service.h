#pragma once

#include "common/ui/progress_dialog.h"
#include "platform/printer_service.h"

#include <functional>
#include <memory>

class QThread;

namespace mokpe::platform {

// The printers as the windows ask for them. Before each lookup the print
// service is woken on a thread of its own (`wakeUp`, wakePrintService in the
// program), since its first answer after a while may take seconds; the
// windows' thread waits with its event loop running, so that the windows go on
// being drawn, under a progress dialog once the wait outlasts the delay
// (user input waits until the lookup is done). Then `system` looks the printers
// up on the windows' thread as before, where Qt's print support belongs, and
// answers at once. The first wake-up starts with the program (wakeAhead):
// "精算印刷" pressed while it runs waits for it instead of starting another.
// Printing is `system`'s own.
class ResponsivePrinterService final : public PrinterService {
public:
    ResponsivePrinterService(PrinterService &system, std::function<void()> wakeUp,
                             int progressShowDelayMs = ui::kProgressShowDelayMs);
    // Waits for a wake-up under way.
    ~ResponsivePrinterService() override;
    ResponsivePrinterService(const ResponsivePrinterService &) = delete;
    ResponsivePrinterService &operator=(const ResponsivePrinterService &) = delete;

    // Starts waking the print service now, unless it is being woken.
    void wakeAhead();

    QStringList printerNames() override;
    QString defaultPrinter() override;
    PrintRun printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                              const PageDrawer &draw, common::Progress &progress) override;

private:
    void awaitWakeUp();

    PrinterService &system_;
    std::function<void()> wakeUp_;
    int progressShowDelayMs_;
    std::unique_ptr<QThread> waking_;
};

} // namespace mokpe::platform
