// The journal of a long transit history: reading the file alone, building the
// journal from the lines read (the construction alone, and the editor's whole
// start-up with the settlement label and the undo snapshot), and saving it.
// Histories come from MOKPE_BENCH_HISTORY_DIR/history_<N>.csv when set (for
// example written by gen_history.py, see journal_bench.sh), else one of the
// same layout is written here.
#include "common/app_state.h"
#include "common/cp932.h"
#include "import/card_history_reader.h"
#include "journal/journal_build.h"
#include "journal/journal_editor.h"
#include "platform/inert_services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <random>

namespace {

using namespace mokpe;

class CountingMessages final : public platform::MessageService {
public:
    void inform(const QString &, const QString &) override { ++count; }
    bool ask(const QString &, const QString &) override { return true; }
    int count = 0;
};

// Newest first: a header, then per line a date, six description fields, the
// balance and a remark; every eighth line or so a cash charge.
QByteArray transitHistory(int lines)
{
    std::mt19937 random(7);
    const QStringList stations = {QStringLiteral("新宿"), QStringLiteral("渋谷"),
                                  QStringLiteral("池袋"), QStringLiteral("東京"),
                                  QStringLiteral("品川"), QStringLiteral("六本木一丁目")};
    const QStringList operators = {QStringLiteral("JR東"), QStringLiteral("メトロ"), QStringLiteral("都営")};
    const QStringList remarks = {QString(), QString(), QStringLiteral("物販"), QStringLiteral("窓出")};
    const int fares[] = {130, 160, 190, 210, 260, 480};
    QString text = QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n");
    qint64 balance = 5000;
    for (int i = 0; i < lines; ++i) {
        const auto pick = [&random](const QStringList &list) { return list.at(random() % list.size()); };
        const bool charge = random() % 100 < 8 && balance >= 1000;
        if (charge) {
            text += QStringLiteral("2008/07/19,現,金,,,,,%1,ﾁｬｰｼﾞ\r\n").arg(balance);
            balance -= 1000;
        } else {
            text += QStringLiteral("2008/07/19,入場,%1,%2,出,%3,%4,%5,%6\r\n")
                        .arg(pick(operators), pick(stations), pick(operators), pick(stations))
                        .arg(balance)
                        .arg(pick(remarks));
            balance += fares[random() % 6];
        }
    }
    const common::Cp932Encoded encoded = common::encodeCp932(text);
    if (!encoded.ok)
        std::abort();
    return encoded.bytes;
}

struct Histories {
    QTemporaryDir dir;
    std::map<int, QString> paths;
    QString path(int lines)
    {
        auto found = paths.find(lines);
        if (found != paths.end())
            return found->second;
        const QByteArray external = qgetenv("MOKPE_BENCH_HISTORY_DIR");
        QString path;
        if (!external.isEmpty()) {
            path =
                QDir(QString::fromLocal8Bit(external)).filePath(QStringLiteral("history_%1.csv").arg(lines));
        } else {
            path = dir.filePath(QStringLiteral("history_%1.csv").arg(lines));
            QFile file(path);
            const QByteArray bytes = transitHistory(lines);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                std::abort();
        }
        paths[lines] = path;
        return path;
    }
};

Histories &histories()
{
    static Histories h;
    return h;
}

void prepare(AppState &app)
{
    app.settings.formatChoice = QStringLiteral("0");
    app.settings.emoneyNameCopy = QStringLiteral("電子マネー");
    app.summaryPrefix = QStringLiteral("No.1: 山田，");
}

void read(benchmark::State &state, AppState &app, const QString &path, CountingMessages &messages)
{
    if (import::Fm1_CsvFileRead(app, path, messages) != import::CsvReadOutcome::Accepted ||
        app.history.lastLineIndex != state.range(0))
        state.SkipWithError("the history was not read whole");
}

void BM_ReadHistory(benchmark::State &state)
{
    const QString path = histories().path(static_cast<int>(state.range(0)));
    CountingMessages messages;
    for (auto _ : state) {
        AppState app;
        read(state, app, path, messages);
        benchmark::DoNotOptimize(app.history.lines.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BuildJournal(benchmark::State &state)
{
    const QString path = histories().path(static_cast<int>(state.range(0)));
    CountingMessages messages;
    AppState app;
    prepare(app);
    read(state, app, path, messages);
    for (auto _ : state) {
        journal::JournalGrid grid;
        journal::Fm2_JournalBuild(grid, app.history, app.settings.emoneyNameCopy, app.summaryPrefix);
        if (grid.journalRowCount() != state.range(0))
            state.SkipWithError("not every line became a row");
        benchmark::DoNotOptimize(grid.rowTotal());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Construction plus what the editor adds: grid initialisation, the settlement
// label and the undo snapshot.
void BM_EditorStartUp(benchmark::State &state)
{
    const QString path = histories().path(static_cast<int>(state.range(0)));
    CountingMessages messages;
    AppState app;
    prepare(app);
    read(state, app, path, messages);
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalGrid grid;
    journal::JournalEditor editor(app, grid, services);
    for (auto _ : state) {
        editor.startUp();
        if (grid.journalRowCount() != state.range(0) || editor.settlementLabel().isEmpty())
            state.SkipWithError("the journal did not open");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SaveJournal(benchmark::State &state)
{
    const QString path = histories().path(static_cast<int>(state.range(0)));
    CountingMessages messages;
    AppState app;
    prepare(app);
    read(state, app, path, messages);
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalGrid grid;
    journal::JournalEditor editor(app, grid, services);
    editor.startUp();
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("journal.csv"));
    for (auto _ : state) {
        if (!editor.saveJournalTo(target))
            state.SkipWithError("the journal was not saved");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["bytes"] = static_cast<double>(QFileInfo(target).size());
}

BENCHMARK(BM_ReadHistory)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildJournal)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorStartUp)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJournal)->Arg(1999)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
