// The settlement report of a long journal: laying out every page alone, and
// the whole PDF written to disk (layout, drawing, font embedding, atomic write).
// Peak memory of a run: `report_pdf_bench --benchmark_filter=...` one size at a
// time, or bench/report_command.sh for the whole command.
#include "common/app_state.h"
#include "journal/journal_grid.h"
#include "output/report_pdf.h"
#include "output/settlement_report.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sys/resource.h>

namespace {

using namespace mokpe;

// A transit journal of `rows` rows: spending on a few accounts, a charge every
// tenth row and a cash row every seventh, summaries as the construction writes them.
journal::JournalGrid journalOf(int rows)
{
    journal::JournalGrid grid;
    grid.setRowTotal(std::max(grid.rowTotal(), rows + 1));
    const QString prefix = QStringLiteral("No.1: 山田　太郎，");
    for (int r = 1; r <= rows; ++r) {
        const QString amount = QString::number((r * 137) % 20000 + 1);
        const QString date = QStringLiteral("2026/%1/%2")
                                 .arg((r / 28) % 12 + 1, 2, 10, QLatin1Char('0'))
                                 .arg(r % 28 + 1, 2, 10, QLatin1Char('0'));
        QString account = QStringLiteral("旅費交通費");
        QString summary = prefix + QStringLiteral("ＪＲ東 新宿 出 ＪＲ東 渋谷");
        if (r % 10 == 0) {
            account = QStringLiteral("電子マネー");
            summary = prefix + QStringLiteral("現金　ﾁｬｰｼﾞ");
        } else if (r % 7 == 0) {
            account = QStringLiteral("現金");
            summary = prefix + QStringLiteral("電子マネー精算");
        }
        grid.setRowTexts(
            r, {QString::number(r), date, account, amount, QStringLiteral("電子マネー"), amount, summary});
    }
    grid.setJournalRowCount(rows);
    return grid;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ReportLayout(benchmark::State &state)
{
    const journal::JournalGrid grid = journalOf(static_cast<int>(state.range(0)));
    const output::SettlementReport report(grid, TransitCard, QStringLiteral("history.csv"),
                                          QStringLiteral("精算金額：　　　-1,234,567"),
                                          QStringLiteral("電子マネー"), output::ReportFontMetrics());
    size_t texts = 0;
    for (auto _ : state) {
        for (int p = 0; p < report.pageCount(); ++p)
            texts += report.page(p).texts.size();
        benchmark::DoNotOptimize(texts);
    }
    state.counters["pages"] = report.pageCount();
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ReportLayout)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State &state)
{
    const journal::JournalGrid grid = journalOf(static_cast<int>(state.range(0)));
    const output::SettlementReport report(grid, TransitCard, QStringLiteral("history.csv"),
                                          QStringLiteral("精算金額：　　　-1,234,567"),
                                          QStringLiteral("電子マネー"), output::ReportFontMetrics());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    for (auto _ : state) {
        if (!output::writeReportPdf(path, report).isEmpty())
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = report.pageCount();
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_ReportPdf)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    // Text is measured and drawn: a GUI application, without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
