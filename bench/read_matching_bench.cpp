// Matching a new card read against the stored lines of earlier reads: the
// meeting point of a 100,000-line history and a 100,000-line store (and
// smaller ones, to show the time grows with the lines, not their square), then
// the whole comparison the editor's start-up runs on a long history against a
// full store in a program folder.
#include "common/app_state.h"
#include "journal/previous_read.h"
#include "journal/read_matching.h"
#include "settings/program_files.h"

#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace mokpe;
using journal::ReadLine;

const QStringList kUses = {
    QStringLiteral("入,ＪＲ東,新宿,出,ＪＲ東,渋谷"),
    QStringLiteral("ﾊﾞｽ,東京都交通局,,,,"),
    QStringLiteral("物,販,,,,"),
    QStringLiteral("入,東急,渋谷,出,東急,横浜"),
};

// Transaction i of one card (0 the oldest), several a day.
ReadLine transaction(int i)
{
    return {QDate(2000, 1, 1).addDays(i / 4).toString(QStringLiteral("yyyy/MM/dd")),
            kUses.at(i % kUses.size()), QString::number(50000 + (i * 7919) % 40000), QString()};
}

// Transactions `newest` down to `oldest`.
std::vector<ReadLine> transactions(int newest, int oldest)
{
    std::vector<ReadLine> lines;
    const int count = newest - oldest + 1;
    lines.reserve(static_cast<size_t>(count));
    for (int i = newest; i >= oldest; --i)
        lines.push_back(transaction(i));
    return lines;
}

// A history of n lines against a store of n lines: the new read meets the
// store half-way (`overlap` = n / 2), or lies wholly inside it (the same read
// twice), or meets nothing at all after a gap.
enum Case { HalfOverlap, ReadTwice, Gap };

void BM_MatchReads(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<ReadLine> stored = transactions(n - 1, 0);
    std::vector<ReadLine> fresh;
    int expected = 0;
    switch (static_cast<Case>(state.range(1))) {
    case HalfOverlap:
        fresh = transactions(n + n / 2 - 1, n / 2);
        expected = n / 2;
        break;
    case ReadTwice:
        fresh = stored;
        expected = n;
        break;
    case Gap:
        fresh = transactions(3 * n, 2 * n + 1);
        break;
    }
    for (auto _ : state) {
        const journal::ReadMatch match = journal::matchReads(fresh, stored);
        if (match.matched != expected)
            state.SkipWithError("the reads did not meet where they should");
        benchmark::DoNotOptimize(match);
    }
    state.SetItemsProcessed(state.iterations() * 2 * n);
    state.SetComplexityN(n);
}
BENCHMARK(BM_MatchReads)
    ->ArgsProduct({{1000, 10000, 100000}, {HalfOverlap}})
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchReads)->ArgsProduct({{100000}, {ReadTwice, Gap}})->Unit(benchmark::kMillisecond);

class CountingMessages final : public platform::MessageService {
public:
    void inform(const QString &, const QString &) override { ++count; }
    bool ask(const QString &, const QString &) override { return false; }
    int count = 0;
};

QStringList historyLines(const std::vector<ReadLine> &lines)
{
    QStringList text{QStringLiteral("利用年月日,種別,利用駅,利用会社,種別,利用駅,利用会社,残額,備考")};
    for (const ReadLine &line : lines)
        text.append(line.date + QLatin1Char(',') + line.descriptionFields + QLatin1Char(',') + line.balance +
                    QLatin1Char(','));
    return text;
}

// What a transit history costs beyond its journal: at the editor's start-up
// its lines taken apart, the full store read and the meeting point found; at
// the first save the store read and merged again and written.
void BM_ConsultPreviousRead(benchmark::State &state)
{
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir folder;
    AppState app;
    app.programFolder = folder.path();
    app.matchPreviousRead = true;
    app.userEntry = QStringLiteral("山田 太郎");
    app.history.cardKind = TransitCard;
    app.history.lines = historyLines(transactions(n + 499, 500)) + QStringList{QString()};
    app.history.lastLineIndex = static_cast<int>(app.history.lines.size()) - 2;
    const std::vector<ReadLine> stored = transactions(journal::kReadStoreLimit - 1, 0);
    const QString path = settings::readStoreFilePath(app, QString());
    CountingMessages messages;
    for (auto _ : state) {
        state.PauseTiming();
        journal::saveReadStore(path, QString(), stored);
        state.ResumeTiming();
        journal::PreviousRead read = journal::comparePreviousRead(app, messages);
        journal::bookRead(app, read, messages);
        if (read.match.matched != 500 || messages.count != 0)
            state.SkipWithError("the history did not meet the store");
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_ConsultPreviousRead)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
