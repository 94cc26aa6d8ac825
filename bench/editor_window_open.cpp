// Opens the journal editor window on a card history, as the import does, and
// tells how long the window's start-up took until it was on screen. Run it
// under /usr/bin/time -v (bench/editor_window_open.sh) for the peak memory.
// With "read", each run reads the history again before the start-up and the
// time of both is told together; with "progress", the same runs under the
// progress dialog over a main window, as "会計CSVファイル読込み" runs them (the
// dialog appears after its usual second).
//
//   editor_window_open HISTORY [REPEATS] [read|progress]
#include "bench_program_folder.h"
#include "common/app_state.h"
#include "common/text_file.h"
#include "common/ui/progress_dialog.h"
#include "import/card_history_reader.h"
#include "journal/ui/journal_editor_window.h"
#include "maintenance/account_code_file.h"
#include "platform/inert_services.h"
#include "platform/messages.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace mokpe;

class CountingMessages final : public platform::MessageService {
public:
    void inform(const QString &text, const QString &) override
    {
        ++count;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    bool ask(const QString &, const QString &) override { return false; }
    int count = 0;
};

// Peak resident memory so far, in MiB, from the kernel's own count.
double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: editor_window_open HISTORY [REPEATS]\n");
        return 1;
    }
    const QString history = QString::fromLocal8Bit(argv[1]);
    const int repeats = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 1;
    const QByteArray mode = argc > 3 ? QByteArray(argv[3]) : QByteArray();
    const bool underProgress = mode == "progress";
    const bool readEachRun = underProgress || mode == "read";

    QTemporaryDir folder;
    bench::writeProgramFolder(folder.path());
    AppState state;
    journal::JournalGrid grid;
    state.programFolder = folder.path();
    CountingMessages messages;
    platform::NoFileDialogs dialogs;
    platform::NoInputMethod inputModes;
    settings::Fm1_IniFileRead(state, messages);
    maintenance::KamokuFileRead(state, messages);

    QElapsedTimer reading;
    reading.start();
    if (import::Fm1_CsvFileRead(state, history, messages) != import::CsvReadOutcome::Accepted)
        return 2;
    state.history.sourcePath = history;
    state.history.sourceName = QFileInfo(history).fileName();
    const double readMs = static_cast<double>(reading.nsecsElapsed()) / 1e6;
    const double afterReadMiB = peakMiB();

    std::vector<double> shownMs;
    int rows = 0;
    QWidget mainWindow;
    if (underProgress) {
        mainWindow.resize(560, 400);
        mainWindow.show();
        QApplication::processEvents();
    }
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto *window = new journal::JournalEditorWindow(state, grid, {messages, dialogs}, inputModes);
        if (underProgress) {
            ui::ProgressDialog progress(&mainWindow, ui::kReadingLabel, ui::ProgressDialog::Cancel::Allowed);
            if (import::Fm1_CsvFileRead(state, history, messages, progress) !=
                import::CsvReadOutcome::Accepted)
                return 2;
            progress.setLabel(ui::kBuildingLabel);
            window->startUp(progress);
        } else {
            if (readEachRun &&
                import::Fm1_CsvFileRead(state, history, messages) != import::CsvReadOutcome::Accepted)
                return 2;
            window->startUp();
        }
        // The first paint: the window is on screen with its rows drawn.
        QApplication::processEvents();
        shownMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        rows = grid.journalRowCount();
        delete window;
        QApplication::processEvents();
    }
    std::sort(shownMs.begin(), shownMs.end());
    std::printf("history lines %d, journal rows %d\n", state.history.lastLineIndex + 1, rows);
    std::printf("read %.1f ms, peak after reading %.1f MiB\n", readMs, afterReadMiB);
    std::printf("%s: best %.1f ms, median %.1f ms, worst %.1f ms (%d runs)\n",
                underProgress ? "read and editor shown under the progress dialog"
                : readEachRun ? "read and editor shown"
                              : "editor shown",
                shownMs.front(), shownMs[shownMs.size() / 2], shownMs.back(), repeats);
    std::printf("peak resident %.1f MiB\n", peakMiB());
    return messages.count == 0 ? 0 : 2;
}
