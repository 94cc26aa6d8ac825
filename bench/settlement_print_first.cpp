// Presses the journal editor's "精算印刷" a few times, as the main window
// wires it, with the system's real printers and message boxes, and tells for
// each press how long until its message box or print preview was on screen
// and the longest time the window's event loop stood still meanwhile (a
// heartbeat timer every 5 ms; what it misses is time the window could not
// repaint or take a click). Each message box or preview is closed as soon as
// it is shown (the no-printer message's OK, the preview's close box).
//
//   settlement_print_first HISTORY [PRESSES] [DELAY_MS]
// DELAY_MS: how long after the program's start the first press comes
// (default 0: as soon as the editor is on screen).
#include "bench_program_folder.h"
#include "common/app_state.h"
#include "common/text_file.h"
#include "import/card_history_reader.h"
#include "journal/ui/journal_editor_window.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "maintenance/account_code_file.h"
#include "output/ui/settlement_print_preview.h"
#include "platform/inert_services.h"
#include "platform/qt/print_service_wake_up.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_printer_service.h"
#include "platform/qt/responsive_printer_service.h"
#include "settings/settings_file.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

using namespace mokpe;

// The longest gap between two beats of the window's event loop.
class Heartbeat final : public QObject {
public:
    Heartbeat()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            longest_ = std::max(longest_, since_.nsecsElapsed());
            since_.restart();
        });
    }
    void start()
    {
        longest_ = 0;
        since_.start();
        timer_.start();
    }
    double stopMs()
    {
        timer_.stop();
        longest_ = std::max(longest_, since_.nsecsElapsed());
        return static_cast<double>(longest_) / 1e6;
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// Notes when a message box, a print preview or a progress dialog first shows,
// and closes the first two at once.
class ShownWatcher final : public QObject {
public:
    explicit ShownWatcher(const QElapsedTimer &clock) : clock_(clock) {}
    double shownMs = -1;
    double progressMs = -1;
    QString what;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog)
            return false;
        const double at = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
        if (dialog->objectName() == QLatin1String("ProgressDialog")) {
            if (progressMs < 0)
                progressMs = at;
            return false;
        }
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            what = QStringLiteral("message 「%1」").arg(box->text().section(QLatin1Char('\n'), 0, 0));
        } else if (qobject_cast<QPrintPreviewDialog *>(dialog)) {
            what = QStringLiteral("preview");
        } else {
            return false;
        }
        if (shownMs < 0)
            shownMs = at;
        QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
        return false;
    }

private:
    const QElapsedTimer &clock_;
};

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: settlement_print_first HISTORY [PRESSES] [DELAY_MS]\n");
        return 1;
    }
    const QString history = QString::fromLocal8Bit(argv[1]);
    const int presses = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 3;
    const int delayMs = argc > 3 ? std::max(0, QString::fromLocal8Bit(argv[3]).toInt()) : 0;

    platform::QtMessageService messages;
    // The printers as the program makes them (src/app/main.cpp).
    platform::QtPrinterService systemPrinters;
    platform::ResponsivePrinterService printers(systemPrinters, platform::wakePrintService);
    printers.wakeAhead();
    platform::NoFileDialogs dialogs;
    platform::NoInputMethod inputModes;

    QTemporaryDir folder;
    bench::writeProgramFolder(folder.path());
    AppState state;
    journal::JournalGrid grid;
    state.programFolder = folder.path();
    settings::Fm1_IniFileRead(state, messages);
    maintenance::KamokuFileRead(state, messages);
    if (import::Fm1_CsvFileRead(state, history, messages) != import::CsvReadOutcome::Accepted)
        return 2;
    state.history.sourcePath = history;
    state.history.sourceName = QFileInfo(history).fileName();

    journal::JournalEditorWindow editor(state, grid, {messages, dialogs}, inputModes);
    editor.setReportPrinter([&] {
        output::ui::runSettlementPrint(&editor, state, grid, editor.editor().settlementLabel(), messages,
                                       printers, dialogs);
    });
    editor.startUp();
    // The balance cell the history begins with, settled as the user would.
    if (journal::UnsettledAmountDialog *unsettled = editor.unsettledAmountDialog()) {
        Q_EMIT unsettled->confirmed(QStringLiteral("10"));
        unsettled->close();
    }
    QApplication::processEvents();
    auto *print = editor.findChild<QPushButton *>(QStringLiteral("Command8"));
    if (!print)
        return 2;
    const double editorShownMs = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
    if (delayMs > editorShownMs) {
        QEventLoop wait;
        QTimer::singleShot(static_cast<int>(delayMs - editorShownMs), &wait, &QEventLoop::quit);
        wait.exec();
    }
    std::printf("editor on screen %.0f ms after the start\n", editorShownMs);

    Heartbeat heartbeat;
    for (int i = 0; i < presses; ++i) {
        QElapsedTimer clock;
        ShownWatcher watcher(clock);
        app.installEventFilter(&watcher);
        const double pressedAt = static_cast<double>(sinceStart.nsecsElapsed()) / 1e6;
        clock.start();
        // The click arrives through the event loop, as a real one does.
        QTimer::singleShot(0, print, &QPushButton::click);
        heartbeat.start();
        QEventLoop loop;
        QTimer idle;
        idle.setInterval(20);
        QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
            if (watcher.shownMs >= 0 && !QApplication::activeModalWidget())
                loop.quit();
        });
        idle.start();
        loop.exec();
        const double stall = heartbeat.stopMs();
        app.removeEventFilter(&watcher);
        std::printf("press %d at %.0f ms: %s after %.1f ms, progress dialog %s, longest stall %.1f ms\n",
                    i + 1, pressedAt, qPrintable(watcher.what), watcher.shownMs,
                    watcher.progressMs < 0 ? "not shown"
                                           : qPrintable(QString::number(watcher.progressMs, 'f', 1)),
                    stall);
    }
    return 0;
}
