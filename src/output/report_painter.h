#pragma once

#include "common/progress.h"
#include "output/report_page.h"

class QPainter;
class QPagedPaintDevice;

namespace mokpe::output {

class SettlementReport;

// The outline width of the table's cells.
inline constexpr double kReportLineWidthMm = 0.2;

// A4 portrait with no margins: the device's origin is the paper's top-left
// corner, where the report's positions are measured from.
void setUpReportPage(QPagedPaintDevice &device);

// Draws one page on a painter active on such a device, converting millimetres
// with the device's resolution. A text's y is the top of its line: the
// baseline lies the face's ascent below it.
void paintReportPage(QPainter &painter, const ReportPage &page);

// Every page of the report on one device, a new device page for each; each
// page painted is told to `progress`.
void paintReport(QPainter &painter, QPagedPaintDevice &device, const SettlementReport &report,
                 common::Progress &progress = common::noProgress());

} // namespace mokpe::output
