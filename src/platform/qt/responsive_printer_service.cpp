#include "platform/qt/responsive_printer_service.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

namespace mokpe::platform {

ResponsivePrinterService::ResponsivePrinterService(PrinterService &system, std::function<void()> wakeUp,
                                                   int progressShowDelayMs)
    : system_(system), wakeUp_(std::move(wakeUp)), progressShowDelayMs_(progressShowDelayMs)
{}

ResponsivePrinterService::~ResponsivePrinterService()
{
    if (waking_)
        waking_->wait();
}

void ResponsivePrinterService::wakeAhead()
{
    if (waking_ && !waking_->isFinished())
        return;
    if (waking_)
        waking_->wait();
    waking_.reset(QThread::create(wakeUp_));
    waking_->start();
}

void ResponsivePrinterService::awaitWakeUp()
{
    // A service that was awake may have gone back to sleep since.
    wakeAhead();
    QEventLoop loop;
    QObject::connect(waking_.get(), &QThread::finished, &loop, &QEventLoop::quit);
    if (waking_->isFinished())
        return;
    ui::ProgressDialog progress(QApplication::activeWindow(), ui::kPrintersLabel,
                                ui::ProgressDialog::Cancel::NotAllowed, progressShowDelayMs_);
    progress.setRange(0);
    // How long the service takes is not known: the bar runs to and fro.
    progress.dialog()->setRange(0, 0);
    // The wait goes in steps, each of which may bring the dialog up once the
    // delay has passed.
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, &loop, [&progress] { progress.setValue(0); });
    step.start(50);
    // A click meanwhile would start another command over this one.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    waking_->wait();
}

QStringList ResponsivePrinterService::printerNames()
{
    awaitWakeUp();
    return system_.printerNames();
}

QString ResponsivePrinterService::defaultPrinter()
{
    awaitWakeUp();
    return system_.defaultPrinter();
}

PrintRun ResponsivePrinterService::printPagesAsJobs(const QString &printer, const QString &jobName,
                                                    int pageCount, const PageDrawer &draw,
                                                    common::Progress &progress)
{
    return system_.printPagesAsJobs(printer, jobName, pageCount, draw, progress);
}

} // namespace mokpe::platform
