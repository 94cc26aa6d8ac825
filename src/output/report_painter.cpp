#include "output/report_painter.h"

#include "output/report_font.h"
#include "output/settlement_report.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <map>
#include <tuple>

namespace mokpe::output {

namespace {

constexpr double kMillimetresPerInch = 25.4;

// Faces and ascents of one device, made once per size and emphasis.
class FontCache {
public:
    explicit FontCache(QPaintDevice *device) : device_(device) {}
    struct Entry {
        QFont font;
        double ascent;
    };
    const Entry &get(const ReportText &text)
    {
        const auto key = std::make_tuple(text.family, text.pointSize, text.emphasis);
        auto found = entries_.find(key);
        if (found == entries_.end()) {
            QFont font = reportFont(text.family, text.pointSize, text.emphasis);
            const double ascent = QFontMetricsF(font, device_).ascent();
            found = entries_.emplace(key, Entry{font, ascent}).first;
        }
        return found->second;
    }

private:
    QPaintDevice *device_;
    std::map<std::tuple<QString, double, bool>, Entry> entries_;
};

} // namespace

void setUpReportPage(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter));
}

void paintReportPage(QPainter &painter, const ReportPage &page)
{
    QPaintDevice *device = painter.device();
    const double sx = device->logicalDpiX() / kMillimetresPerInch;
    const double sy = device->logicalDpiY() / kMillimetresPerInch;

    painter.save();
    QPen pen(Qt::black);
    pen.setWidthF(kReportLineWidthMm * sx);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const ReportRect &rect : page.rects)
        painter.drawRect(QRectF(rect.x * sx, rect.y * sy, rect.width * sx, rect.height * sy));

    FontCache fonts(device);
    for (const ReportText &text : page.texts) {
        const FontCache::Entry &entry = fonts.get(text);
        painter.setFont(entry.font);
        painter.drawText(QPointF(text.x * sx, text.y * sy + entry.ascent), text.text);
    }
    painter.restore();
}

void paintReport(QPainter &painter, QPagedPaintDevice &device, const SettlementReport &report,
                 common::Progress &progress)
{
    const int pages = report.pageCount();
    // A page is a few hundred texts and outlines: each one is worth telling.
    common::ProgressSteps steps(progress, pages, 1);
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            device.newPage();
        paintReportPage(painter, report.page(index));
        steps.stopAt(index + 1);
    }
    steps.finish();
}

} // namespace mokpe::output
