#include "support/ui/window_tour.h"

#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"
#include "common/text_file.h"
#include "common/ui/progress_dialog.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_editor_window.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "maintenance/ui/account_code_editor.h"
#include "maintenance/ui/colour_dialog.h"
#include "maintenance/ui/user_editor.h"
#include "output/report_pdf_save.h"
#include "output/settlement_print.h"
#include "output/settlement_report.h"
#include "output/ui/export_dialog.h"
#include "output/ui/settlement_print_preview.h"
#include "platform/file_system.h"
#include "platform/inert_services.h"
#include "platform/os_system_info.h"
#include "platform/qt/qt_file_dialogs.h"
#include "platform/qt/qt_messages.h"
#include "platform/recent_folders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace mokpe::test {

namespace {

// Answers every question No and shows nothing: the tour asks for no change.
class QuietMessages final : public platform::MessageService {
public:
    void inform(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return false; }
};

// The open dialog picks the sample history; nothing is saved.
class SampleFileDialogs final : public platform::FileDialogService {
public:
    QString openFile(const platform::FileRequest &) override { return history; }
    QString saveFile(const platform::FileRequest &) override { return {}; }
    QString history;
};

// Nothing is printed on the tour.
class NoPrinters final : public platform::PrinterService {
public:
    QStringList printerNames() override { return {}; }
    QString defaultPrinter() override { return {}; }
    platform::PrintRun printPagesAsJobs(const QString &, const QString &, int, const platform::PageDrawer &,
                                        common::Progress &) override
    {
        return {};
    }
};

// A transit card history of `count` journeys, newest first, the balances
// chained, a charge now and then; the oldest journey's amount is open.
QStringList transitHistory(int count)
{
    const QStringList stations = {QStringLiteral("新宿"), QStringLiteral("渋谷"),
                                  QStringLiteral("池袋"), QStringLiteral("東京"),
                                  QStringLiteral("品川"), QStringLiteral("秋葉原"),
                                  QStringLiteral("上野"), QStringLiteral("六本木一丁目")};
    const QStringList operators = {QStringLiteral("JR東"), QStringLiteral("メトロ"), QStringLiteral("都営")};
    QStringList lines = {QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考")};
    int balance = 3162;
    QDate day(2008, 7, 31);
    for (int i = 0; i < count; ++i) {
        const QString date = day.toString(QStringLiteral("yyyy/MM/dd"));
        if (i % 9 == 8) {
            lines.append(QStringLiteral("%1,現,金,,,,,%2,ﾁｬｰｼﾞ").arg(date).arg(balance));
            balance -= 2000;
        } else {
            const qsizetype n = i;
            const QString &from = stations.at((n * 3) % stations.size());
            const QString &to = stations.at((n * 5 + 1) % stations.size());
            const QString &op = operators.at(n % operators.size());
            lines.append(QStringLiteral("%1,入場,%2,%3,出場,%2,%4,%5,").arg(date, op, from, to).arg(balance));
            balance += 160 + (i % 4) * 30;
        }
        if (i % 3 == 2)
            day = day.addDays(-1);
    }
    return lines;
}

void settle()
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

template <typename T = QPushButton> T *child(QWidget &window, const char *name)
{
    T *c = window.findChild<T *>(QLatin1String(name));
    Q_ASSERT(c);
    return c;
}

// Visits the modal dialog that `open` shows, then closes it.
void visitModal(const QString &name, const std::function<void()> &open,
                const std::function<void(const QString &, QWidget &)> &visit)
{
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        for (int i = 0; !dialog && i < 100; ++i) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            dialog = QApplication::activeModalWidget();
        }
        if (!dialog)
            return;
        settle();
        visit(name, *dialog);
        if (auto *modal = qobject_cast<QDialog *>(dialog))
            modal->reject();
        else
            dialog->close();
    });
    open();
}

} // namespace

void tourEveryWindow(const std::function<void(const QString &name, QWidget &window)> &visit)
{
    const auto shown = [&visit](const QString &name, QWidget &window) {
        window.show();
        window.raise();
        settle();
        visit(name, window);
    };

    QTemporaryDir folder;
    const QDir program(folder.path());
    using common::writeCp932Lines;
    writeCp932Lines(program.filePath(QStringLiteral("inifile.ini")), {QStringLiteral("0"),
                                                                      QStringLiteral("0123"),
                                                                      QStringLiteral("株式会社モコペ商事"),
                                                                      {},
                                                                      {},
                                                                      QStringLiteral("&H8000000F"),
                                                                      QStringLiteral("&H8000000F"),
                                                                      QStringLiteral("1"),
                                                                      QStringLiteral("10"),
                                                                      QStringLiteral("186"),
                                                                      QStringLiteral("1882"),
                                                                      QStringLiteral("電子未決"),
                                                                      QStringLiteral("113"),
                                                                      QStringLiteral("1131"),
                                                                      QStringLiteral("電子マネー")});
    writeCp932Lines(program.filePath(QStringLiteral("kamoku_code.csv")),
                    {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                     QStringLiteral("842,8471,旅費交通費"), QStringLiteral("854,8641,運賃"),
                     QStringLiteral("837,8451,福利厚生費"), QStringLiteral("844,8491,交際費"),
                     QStringLiteral("111,1111,現金")});
    writeCp932Lines(program.filePath(QStringLiteral("person.csv")),
                    {QStringLiteral("山田　太郎"), QStringLiteral("佐藤　花子"), QStringLiteral("経理部")});

    AppState state;
    state.programFolder = folder.path();
    QuietMessages messages;
    platform::LocalFileSystem files;
    SampleFileDialogs dialogs;
    dialogs.history = program.filePath(QStringLiteral("suica_20080731.csv"));
    writeCp932Lines(dialogs.history, transitHistory(40));
    NoPrinters printers;
    platform::FixedClock clock(QDate(2026, 1, 6));
    // The tour starts no program, writes no launcher entry or shortcut and
    // switches no input method.
    platform::NoProcesses processes;
    platform::NoLauncherEntry launcher;
    platform::NoShortcuts shortcuts;
    platform::OsSystemInfo system;
    platform::NoInputMethod inputModes;
    const platform::Services services{messages,  dialogs, processes, files,    launcher,
                                      shortcuts, system,  clock,     printers, inputModes};

    ui::SplashWindow splash;
    shown(QStringLiteral("splash"), splash);
    splash.close();

    ui::MainWindow main(state, services);
    main.load();
    shown(QStringLiteral("main_window"), main);
    child(main, "Command6")->click();
    shown(QStringLiteral("main_window_maintenance"), main);
    child(main, "Command4")->click();
    shown(QStringLiteral("colour_dialog"), *main.colourDialog());
    child(*main.colourDialog(), "Command2")->click();
    child(main, "Command5")->click();
    shown(QStringLiteral("account_code_editor"), *main.accountCodeEditor());
    main.accountCodeEditor()->close();
    child(main, "Command9")->click();
    shown(QStringLiteral("user_editor"), *main.userEditor());
    main.userEditor()->close();
    child(main, "Command7")->click();

    // The journal editor on the transit history, as the import opens it.
    child<QListWidget>(main, "List1")->setCurrentRow(1);
    child(main, "Command1")->click();
    journal::JournalEditorWindow *editor = main.journalEditor();
    if (!editor)
        return;
    shown(QStringLiteral("journal_editor"), *editor);

    // Entering the oldest row's balance cell opens the unsettled-amount dialog.
    journal::JournalGridView *grid = editor->grid();
    const int oldest = editor->editor().grid().journalRowCount();
    grid->setCurrentIndex(
        editor->model()->index(journal::JournalTableModel::modelRow(oldest), journal::DebitAmountColumn));
    if (journal::UnsettledAmountDialog *dialog = editor->unsettledAmountDialog()) {
        child<QLineEdit>(*dialog, "Text1")->setText(QStringLiteral("160"));
        shown(QStringLiteral("unsettled_amount_direct"), *dialog);
        child<QRadioButton>(*dialog, "Option2")->click();
        const int balance = child<QLineEdit>(*dialog, "Text1")->text().toInt();
        child<QLineEdit>(*dialog, "Text2")->setText(QString::number(balance + 160));
        child(*dialog, "Command2")->click();
        shown(QStringLiteral("unsettled_amount_computed"), *dialog);
        // "確　定" settles the debit side; the credit side is settled the same way.
        child(*dialog, "Command1")->click();
        settle();
    }
    grid->setCurrentIndex(
        editor->model()->index(journal::JournalTableModel::modelRow(oldest), journal::CreditAmountColumn));
    if (journal::UnsettledAmountDialog *dialog = editor->unsettledAmountDialog()) {
        child<QLineEdit>(*dialog, "Text1")->setText(QStringLiteral("160"));
        child(*dialog, "Command1")->click();
        settle();
    }
    child(*editor, "Command5")->click();
    grid->setCurrentIndex(editor->model()->index(0, journal::SummaryColumn));
    shown(QStringLiteral("journal_editor_settled"), *editor);

    // "文字⇒大" up to the largest text, then back.
    for (int i = 0; i < 8; ++i)
        child(*editor, "Command3")->click();
    shown(QStringLiteral("journal_editor_largest_text"), *editor);
    for (int i = 0; i < 8; ++i)
        child(*editor, "Command4")->click();

    // A long operation's dialog over the editor.
    {
        ui::ProgressDialog progress(editor, ui::kExportingLabel, ui::ProgressDialog::Cancel::Allowed, 0);
        progress.setRange(10);
        progress.setValue(4);
        if (QProgressDialog *dialog = progress.dialog())
            shown(QStringLiteral("progress_dialog"), *dialog);
    }

    // "ＣＳＶ出力": the export dialog in place of the editor.
    child(*editor, "Command7")->click();
    if (output::ExportDialog *exportDialog = main.exportDialog()) {
        shown(QStringLiteral("export_dialog"), *exportDialog);
        child(*exportDialog, "Command2")->click();
    }

    // "精算印刷" without a printer, and the report's preview.
    platform::QtMessageService realMessages;
    visitModal(
        QStringLiteral("no_printer_message"),
        [&] { realMessages.offer(output::kNoPrinterMessage, output::kSaveAsPdfCaption); }, visit);
    {
        const output::SettlementReport report(editor->editor().grid(), state.history.cardKind,
                                              state.history.sourceName, editor->editor().settlementLabel(),
                                              state.settings.emoneyNameCopy, output::ReportFontMetrics());
        output::ui::SettlementPrintPreview preview(state, report, state.history.sourceName, messages,
                                                   printers, dialogs);
        preview.dialog().resize(900, 760);
        preview.dialog().show();
        settle();
        if (QAction *fitWidth = preview.dialog().findChild<QAction *>(QStringLiteral("fitWidthAction")))
            fitWidth->trigger();
        shown(QStringLiteral("report_preview"), preview.dialog());
        preview.dialog().close();
    }

    // Qt's own dialogs, in Japanese: a question and the save dialog.
    visitModal(
        QStringLiteral("question"),
        [&] {
            realMessages.ask(QStringLiteral("同じファイル名があります．上書きしますか？"),
                             QStringLiteral("ファイルの上書き"));
        },
        visit);
    platform::RecentFolders folders;
    platform::QtFileDialogService realDialogs(folders);
    visitModal(
        QStringLiteral("save_dialog"),
        [&] {
            realDialogs.saveFile({platform::FileKind::Journal, QStringLiteral("CSVファイル (*.csv)"),
                                  state.history.sourceName, folder.path()});
        },
        visit);

    child(*editor, "Command1")->click();
    settle();
}

} // namespace mokpe::test
