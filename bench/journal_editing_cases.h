#pragma once

// Every editing operation of the journal editor on a journal of N rows (1,999
// and 100,000), registered with Google Benchmark. The core program runs them on
// the bare grid; the view program attaches a model and a table view first and
// lets the view catch up after each operation, so that its figures include
// what the window pays for every change it hears.
#include "common/app_state.h"
#include "journal/journal_editor.h"
#include "platform/inert_services.h"
#include "platform/messages.h"
#include "journal/journal_grid.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <random>

namespace mokpe::bench {

// What stands between the grid and the screen: nothing, or a model and a view.
class Viewer {
public:
    virtual ~Viewer() = default;
    virtual void attach(journal::JournalGrid &) {}
    // Right after each operation, timed: what the view does before the screen
    // is drawn again (nothing, or the event loop with the repaint).
    virtual void heard() {}
    // Untimed, before the next round: the view catches up with everything.
    virtual void settle() {}
};

class YesMessages final : public platform::MessageService {
public:
    void inform(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return true; }
};

// A transit journal of `rows` rows: fares, a charge now and then, a goods
// purchase every twentieth row; the snapshot taken as the start-up takes it.
struct EditingJournal {
    AppState app;
    journal::JournalGrid grid;
    YesMessages messages;
    platform::NoFileDialogs dialogs;
    std::unique_ptr<journal::JournalEditor> editor;
    int rows;
    int goodsRows = 0;

    explicit EditingJournal(int rowCount) : rows(rowCount)
    {
        using namespace journal;
        app.settings.formatChoice = QStringLiteral("0");
        app.history.cardKind = TransitCard;
        editor = std::make_unique<JournalEditor>(app, grid, EditorServices{messages, dialogs});
        fill();
    }
    void fill()
    {
        using namespace journal;
        BulkChange bulk(grid);
        std::mt19937 random(11);
        const int fares[] = {130, 160, 190, 210, 260, 480};
        grid.initialise(std::max(kMinimumRowTotal, rows + 1));
        goodsRows = 0;
        for (int r = 1; r <= rows; ++r) {
            const bool charge = random() % 100 < 8;
            const QString amount = QString::number(charge ? 1000 : fares[random() % 6]);
            const bool goods = !charge && r % 20 == 0;
            goodsRows += goods ? 1 : 0;
            const QString summary = QStringLiteral("No.1: 山田，入場 メトロ 新宿 出 JR東 渋谷　") +
                                    (goods ? QStringLiteral("物販") : QString());
            grid.setRowTexts(r, {QString::number(r), QStringLiteral("2008/07/19"),
                                 charge ? QStringLiteral("電子マネー") : QStringLiteral("旅費交通"), amount,
                                 charge ? QString() : QStringLiteral("電子マネー"), amount,
                                 charge ? QStringLiteral("No.1: 山田，現金　ﾁｬｰｼﾞ") : summary});
        }
        grid.setJournalRowCount(rows);
        editor->Fm2_UndoInit();
        editor->Fm2_TotalShow();
    }
    journal::JournalEditor &e() { return *editor; }
    int middle() const { return rows / 2; }
};

using Operation = std::function<void(benchmark::State &, EditingJournal &, Viewer &)>;

inline void runOperation(benchmark::State &state, const std::function<std::unique_ptr<Viewer>()> &makeViewer,
                         const Operation &operation)
{
    EditingJournal journal(static_cast<int>(state.range(0)));
    const std::unique_ptr<Viewer> viewer = makeViewer();
    viewer->attach(journal.grid);
    viewer->settle();
    operation(state, journal, *viewer);
    if (journal.grid.journalRowCount() < 1)
        state.SkipWithError("the journal lost its rows");
}

// Each operation, timed alone; what puts the journal back between two rounds
// runs with the clock stopped.
inline void registerEditingBenchmarks(const std::string &prefix,
                                      const std::function<std::unique_ptr<Viewer>()> &makeViewer)
{
    using journal::CreditAccountColumn;
    using journal::DateColumn;
    using journal::SummaryColumn;
    const std::pair<const char *, Operation> operations[] = {
        {"CommitWithSnapshot",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             int i = 0;
             for (auto _ : state) {
                 j.e().setCurrentCell(j.middle(), SummaryColumn);
                 if (!j.e().Fm2_CellCommit(QStringLiteral("会議 資料 %1").arg(++i)))
                     state.SkipWithError("refused");
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"Insert",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 j.e().setCurrentCell(j.middle(), DateColumn);
                 j.e().insertRowCommand();
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 j.e().deleteRowCommand();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"Delete",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 j.e().setCurrentCell(j.middle(), DateColumn);
                 j.e().deleteRowCommand();
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 j.e().insertRowCommand();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"Append",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 j.e().appendRowCommand();
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 j.e().deleteLastRowCommand();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"Undo",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 // The worst to take back: a row inserted mid-journal, every
                 // row below it moved.
                 state.PauseTiming();
                 j.e().setCurrentCell(j.middle(), DateColumn);
                 j.e().insertRowCommand();
                 v.settle();
                 state.ResumeTiming();
                 j.e().undoCommand();
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"RangeAssignment",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             int i = 0;
             for (auto _ : state) {
                 // The drop-down opened after a drag over every row (its
                 // snapshot included), then an account picked.
                 j.e().setCurrentCell(1, CreditAccountColumn);
                 j.e().gridMouseDown();
                 j.e().gridMouseUp(j.rows);
                 j.e().KamokuPaste(++i % 2 ? QStringLiteral("現金") : QStringLiteral("普通預金"));
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"Recompute",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 j.e().Fm2_TotalShow();
                 benchmark::DoNotOptimize(j.e().settlementLabel());
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
        {"DeleteGoodsRows",
         [](benchmark::State &state, EditingJournal &j, Viewer &v) {
             for (auto _ : state) {
                 if (j.e().Fm2_BulkRowDelete(journal::BulkDelete::GoodsRows) != j.goodsRows)
                     state.SkipWithError("not every goods row went");
                 v.heard();
                 state.PauseTiming();
                 v.settle();
                 j.fill();
                 v.settle();
                 state.ResumeTiming();
             }
         }},
    };
    for (const auto &[name, operation] : operations) {
        benchmark::RegisterBenchmark(
            (prefix + name).c_str(),
            [makeViewer, operation](benchmark::State &state) { runOperation(state, makeViewer, operation); })
            ->Arg(1999)
            ->Arg(100000)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace mokpe::bench
