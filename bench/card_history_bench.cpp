// Reading a long transit card history: the whole reader (file, decoding, line
// split, recognition) against decoding the same bytes alone.
#include "common/app_state.h"
#include "common/cp932.h"
#include "import/card_history_reader.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using namespace mokpe;

constexpr int kDataLines = 100000;

class CountingMessages final : public platform::MessageService {
public:
    void inform(const QString &, const QString &) override { ++count; }
    bool ask(const QString &, const QString &) override { return false; }
    int count = 0;
};

// A transit history, newest first, in the layout the card reader exports.
QByteArray transitHistoryBytes()
{
    const QString header = QStringLiteral("利用年月日,種別,利用駅(入),利用会社(入),利用駅(出),利用会社(出),"
                                          "支払,残額,メモ");
    const QStringList uses = {
        QStringLiteral("ﾊﾞｽ等,ﾊﾞｽ,東京都交通局,,,,"),
        QStringLiteral("入,渋谷,東急,出,横浜,東急,"),
        QStringLiteral("物販,ｺﾝﾋﾞﾆｴﾝｽｽﾄｱ,,,,,"),
        QStringLiteral("入,新宿,ＪＲ東,出,東京,ＪＲ東,"),
        QStringLiteral("現金,ﾁｬｰｼﾞ,,,,,"),
    };
    QStringList lines{header};
    int balance = 5000 + kDataLines * 3;
    for (int i = 0; i < kDataLines; ++i) {
        const int day = 28 - (i / 4000) % 28;
        const int month = 12 - (i / 112000) % 12;
        lines.append(QStringLiteral("2026/%1/%2,%3%4,%5")
                         .arg(month, 2, 10, QLatin1Char('0'))
                         .arg(day, 2, 10, QLatin1Char('0'))
                         .arg(uses.at(i % uses.size()))
                         .arg(balance)
                         .arg(i % 7 == 0 ? QStringLiteral("定期区間外") : QString()));
        balance -= (i % 5 == 4) ? -1000 : 210 + i % 3 * 10;
    }
    const common::Cp932Encoded encoded = common::encodeCp932(lines.join(QStringLiteral("\r\n")) + "\r\n");
    if (!encoded.ok)
        std::abort();
    return encoded.bytes;
}

struct HistoryFile {
    QTemporaryDir dir;
    QByteArray bytes = transitHistoryBytes();
    QString path = dir.filePath(QStringLiteral("history.csv"));
    HistoryFile()
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
};

const HistoryFile &historyFile()
{
    static const HistoryFile file;
    return file;
}

void BM_CsvFileRead(benchmark::State &state)
{
    const HistoryFile &file = historyFile();
    CountingMessages messages;
    for (auto _ : state) {
        AppState app;
        const bool accepted =
            import::Fm1_CsvFileRead(app, file.path, messages) == import::CsvReadOutcome::Accepted;
        if (!accepted || app.history.lastLineIndex != kDataLines)
            state.SkipWithError("the history was not read whole");
        benchmark::DoNotOptimize(app.history.lines.data());
    }
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
    state.counters["lines"] = kDataLines + 1;
}
BENCHMARK(BM_CsvFileRead)->Unit(benchmark::kMillisecond);

void BM_DecodeCp932Only(benchmark::State &state)
{
    const HistoryFile &file = historyFile();
    for (auto _ : state) {
        const common::Cp932Decoded decoded = common::decodeCp932(file.bytes);
        if (!decoded.ok)
            state.SkipWithError("the history did not decode");
        benchmark::DoNotOptimize(decoded.text.constData());
    }
    state.SetBytesProcessed(state.iterations() * file.bytes.size());
}
BENCHMARK(BM_DecodeCp932Only)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
