#pragma once

#include "common/progress.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;

namespace mokpe::platform {

// Draws page `index` (from 0) on a painter that is active on an A4 portrait
// page whose device origin is the paper's top-left corner (full page).
using PageDrawer = std::function<void(QPainter &painter, int index)>;

// Why one page of a print did not reach the printer.
struct PrintFailure {
    int page = 0; // from 1
    QString reason;
    friend bool operator==(const PrintFailure &, const PrintFailure &) = default;
};

// What became of the pages of one print.
struct PrintRun {
    // The pages that did not reach the printer.
    std::vector<PrintFailure> failures;
    // The pages dealt with, printed or failed: all of them unless the user
    // stopped the print.
    int pagesDone = 0;
    bool stopped = false;
};

// The installed printers and print jobs.
class PrinterService {
public:
    virtual ~PrinterService() = default;
    // The device names of the installed printers, in the order the system lists them.
    virtual QStringList printerNames() = 0;
    // The system's default printer; empty when there is none.
    virtual QString defaultPrinter() = 0;
    // Sends `pageCount` pages to `printer` (empty: the default printer), each
    // page its own print job named `jobName` + " (p/P)". A page that fails does
    // not stop the others; the failures come back, none when every job was
    // handed to the system. Each page done is told to `progress`; when the
    // user stops the print, the page under way is finished and no other begins.
    virtual PrintRun printPagesAsJobs(const QString &printer, const QString &jobName, int pageCount,
                                      const PageDrawer &draw, common::Progress &progress) = 0;
};

} // namespace mokpe::platform
