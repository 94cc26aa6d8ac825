// The export of a 100,000-row journal in the core: the check before writing
// and each writer into a file, against converting the same file's text to
// CP932 alone (one iconv pass, the floor a writer can reach).
#include "common/app_state.h"
#include "common/cp932.h"
#include "output/export_preflight.h"
#include "output/kai_csv_writer.h"
#include "output/kaikei_csv_writer.h"
#include "output/suitou_csv_writer.h"

#include <QBuffer>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace mokpe;

constexpr int kRows = 100000;

// A journal as the construction builds one from a transit history.
struct Journal {
    AppState state;
    journal::JournalGrid grid;
    output::ExportFields fields;
    Journal()
    {
        state.accounts.lines = {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                                QStringLiteral("842,8471,旅費交通費"), QStringLiteral("111,1111,現金")};
        state.accounts.lastIndex = 3;
        grid.initialise(kRows + 1);
        const QStringList summaries = {QStringLiteral("No.1: 山田 太郎，ＪＲ東 新宿 出 ＪＲ東 渋谷　"),
                                       QStringLiteral("No.1: 山田 太郎，ﾒﾄﾛ 池袋 出 ﾒﾄﾛ 後楽園　ﾄｰｷｮｰ"),
                                       QStringLiteral("No.1: 山田 太郎，金　ﾁｬｰｼﾞ")};
        for (int r = 1; r <= kRows; ++r) {
            const QDate day = QDate(2026, 1, 6).addDays(-r / 100);
            const bool charge = r % 12 == 0;
            const QString amount = QString::number(charge ? 1000 : 130 + r % 7 * 30);
            grid.setRowTexts(r, {QString::number(r), day.toString(QStringLiteral("yyyy/MM/dd")),
                                 charge ? QStringLiteral("電子マネー") : QStringLiteral("旅費交通"), amount,
                                 charge ? QString() : QStringLiteral("電子マネー"), amount,
                                 summaries.at(charge ? 2 : r % 2)});
        }
        grid.setJournalRowCount(kRows);
        fields.companyCode = QStringLiteral("0123");
        fields.companyName = QStringLiteral("会社名を入力して下さい");
        fields.yearEnd = {QStringLiteral("2026"), QStringLiteral("3"), QStringLiteral("31")};
        fields.periodStart = {QStringLiteral("2025"), QStringLiteral("4"), QStringLiteral("1")};
        fields.periodEnd = {QStringLiteral("2026"), QStringLiteral("3"), QStringLiteral("31")};
        fields.rateBox = fields.rememberedRate = QStringLiteral("10");
    }
};

Journal &journalOf(int format)
{
    static Journal journal;
    journal.fields.selectedFormat = format;
    return journal;
}

using Writer = QString (*)(QIODevice &, const journal::JournalGrid &, const AccountCodeTable &,
                           const output::ExportFields &, common::Progress &);

Writer writerOf(int format)
{
    switch (format) {
    case output::SuitouFormat:
        return output::Fm3_SuitouCsvWrite;
    case output::KaikeiFormat:
        return output::Fm3_KaikeiCsvWrite;
    default:
        return output::Fm3_KaiCsvWrite;
    }
}

void BM_Preflight(benchmark::State &state)
{
    Journal &j = journalOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const output::PreflightReport report = output::checkExportTexts({j.grid, j.state.accounts, j.fields});
        if (!report.empty())
            std::abort();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

void BM_Write(benchmark::State &state)
{
    const int format = static_cast<int>(state.range(0));
    Journal &j = journalOf(format);
    QFile sink(QStringLiteral("/dev/null"));
    if (!sink.open(QIODevice::WriteOnly))
        std::abort();
    for (auto _ : state) {
        if (!writerOf(format)(sink, j.grid, j.state.accounts, j.fields, common::noProgress()).isEmpty())
            std::abort();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}

// The same file's text (written once to memory, decoded) converted to CP932 in one pass.
void BM_EncodeTheSameTextOnly(benchmark::State &state)
{
    const int format = static_cast<int>(state.range(0));
    Journal &j = journalOf(format);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writerOf(format)(buffer, j.grid, j.state.accounts, j.fields, common::noProgress());
    const QString text = common::decodeCp932(buffer.data()).text;
    common::Cp932Encoder encoder;
    QByteArray out;
    out.reserve(buffer.data().size());
    for (auto _ : state) {
        out.clear();
        if (encoder.encodeAppend(text, out) >= 0)
            std::abort();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    state.counters["MB"] = static_cast<double>(out.size()) / (1024.0 * 1024.0);
}

BENCHMARK(BM_Preflight)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Write)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeTheSameTextOnly)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
