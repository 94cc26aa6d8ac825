// Grabs each window of the program to a PNG, with sample files in a temporary
// program folder. Run under a real X server (tools/screenshots.sh uses Xvfb).
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"
#include "common/text_file.h"
#include "journal/journal_table_model.h"
#include "journal/ui/journal_editor_window.h"
#include "journal/ui/journal_grid_view.h"
#include "journal/ui/unsettled_amount_dialog.h"
#include "maintenance/ui/account_code_editor.h"
#include "maintenance/ui/colour_dialog.h"
#include "maintenance/ui/user_editor.h"
#include "output/settlement_report.h"
#include "output/ui/settlement_print_preview.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImageWriter>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

// Answers nothing and shows nothing: the sample folder is complete.
class SilentMessages final : public mokpe::platform::MessageService {
public:
    void inform(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return false; }
};

// The preview is only looked at: nothing is printed.
class NoPrinters final : public mokpe::platform::PrinterService {
public:
    QStringList printerNames() override { return {}; }
    QString defaultPrinter() override { return {}; }
    mokpe::platform::PrintRun printPagesAsJobs(const QString &, const QString &, int,
                                               const mokpe::platform::PageDrawer &,
                                               mokpe::common::Progress &) override
    {
        return {};
    }
};

// The open dialog always picks the sample history.
class PresetFileDialogs final : public mokpe::platform::FileDialogService {
public:
    QString openFile(const mokpe::platform::FileRequest &) override { return path; }
    QString saveFile(const mokpe::platform::FileRequest &) override { return {}; }
    QString path;
};

// A transit card history, newest first; the oldest journey's amount is open.
const QStringList kTransitHistory = {
    QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考"),
    QStringLiteral("2008/07/25,入場,メトロ,池袋,出場,メトロ,東京,2162,"),
    QStringLiteral("2008/07/24,入場,JR東,新宿,出場,JR東,池袋,2352,"),
    QStringLiteral("2008/07/23,入場,JR東,横浜,出場,JR東,新宿,2502,"),
    QStringLiteral("2008/07/22,入場,JR東,品川,出場,JR東,横浜,3052,"),
    QStringLiteral("2008/07/22,入場,JR東,渋谷,出場,JR東,品川,3342,"),
    QStringLiteral("2008/07/21,ﾊﾞｽ等,ﾊﾞｽ,東京都交通局,,,,3502,"),
    QStringLiteral("2008/07/20,入場,メトロ,表参道,出場,メトロ,渋谷,3702,"),
    QStringLiteral("2008/07/20,物販,ｺﾝﾋﾞﾆｴﾝｽｽﾄｱ,,,,,3872,物販"),
    QStringLiteral("2008/07/19,現,金,,,,,4170,ﾁｬｰｼﾞ"),
    QStringLiteral("2008/07/19,入場,メトロ,渋谷,出場,メトロ,表参道,1170,"),
    QStringLiteral("2008/07/18,入場,JR東,新宿,出場,JR東,渋谷,1340,"),
    QStringLiteral("2008/07/18,入場,JR東,東京,出場,JR東,新宿,1500,"),
};

void settle()
{
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
}

bool save(QWidget *w, const QString &dir, const QString &name)
{
    settle();
    const QString path = QDir(dir).filePath(name);
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    mokpe::ui::setUpFonts();

    QTemporaryDir folder;
    using mokpe::common::writeCp932Lines;
    writeCp932Lines(QDir(folder.path()).filePath(QStringLiteral("inifile.ini")),
                    {QStringLiteral("0"),
                     {},
                     {},
                     {},
                     {},
                     QStringLiteral("&H8000000F"),
                     QStringLiteral("&H8000000F"),
                     QStringLiteral("1"),
                     QStringLiteral("0"),
                     QStringLiteral("186"),
                     QStringLiteral("1882"),
                     QStringLiteral("電子未決"),
                     QStringLiteral("113"),
                     QStringLiteral("1131"),
                     QStringLiteral("電子マネー")});
    writeCp932Lines(QDir(folder.path()).filePath(QStringLiteral("kamoku_code.csv")),
                    {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                     QStringLiteral("842,8471,旅費交通費"), QStringLiteral("854,8641,運賃"),
                     QStringLiteral("837,8451,福利厚生費"), QStringLiteral("844,8491,交際費")});
    writeCp932Lines(QDir(folder.path()).filePath(QStringLiteral("person.csv")),
                    {QStringLiteral("山田　太郎"), QStringLiteral("佐藤　花子"), QStringLiteral("経理部")});

    mokpe::AppState state;
    state.programFolder = folder.path();
    SilentMessages messages;
    mokpe::platform::LocalFileSystem files;
    mokpe::platform::Services services;
    services.messages = &messages;
    services.files = &files;
    PresetFileDialogs dialogs;
    dialogs.path = QDir(folder.path()).filePath(QStringLiteral("suica_20080725.csv"));
    writeCp932Lines(dialogs.path, kTransitHistory);
    services.dialogs = &dialogs;

    bool ok = true;
    mokpe::ui::SplashWindow splash;
    splash.show();
    ok &= save(&splash, out, QStringLiteral("splash.png"));
    splash.close();
    {
        // The splash's stored picture, drawn afresh: copy it to
        // src/app/ui/splash_picture.png after changing the drawing.
        const QString path = QDir(out).filePath(QStringLiteral("splash_picture.png"));
        QImageWriter writer(path, "PNG");
        writer.setQuality(0);
        const bool written = writer.write(
            mokpe::ui::SplashWindow::drawPicture().toImage().convertToFormat(QImage::Format_RGB32));
        std::printf("%s %s\n", written ? "wrote" : "FAILED", qPrintable(path));
        ok &= written;
    }

    mokpe::ui::MainWindow main(state, services);
    main.load();
    main.show();
    ok &= save(&main, out, QStringLiteral("main_window.png"));
    main.findChild<QPushButton *>(QStringLiteral("Command6"))->click();
    main.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    ok &= save(main.colourDialog(), out, QStringLiteral("colour_dialog.png"));
    main.colourDialog()->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    ok &= save(&main, out, QStringLiteral("main_window_maintenance.png"));
    main.findChild<QPushButton *>(QStringLiteral("Command5"))->click();
    ok &= save(main.accountCodeEditor(), out, QStringLiteral("account_code_editor.png"));
    main.accountCodeEditor()->close();
    main.findChild<QPushButton *>(QStringLiteral("Command9"))->click();
    ok &= save(main.userEditor(), out, QStringLiteral("user_editor.png"));
    main.userEditor()->close();

    // The journal editor on the transit history, as the import opens it.
    main.findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(1);
    main.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    mokpe::journal::JournalEditorWindow *editor = main.journalEditor();
    if (!editor)
        return 1;
    ok &= save(editor, out, QStringLiteral("journal_editor.png"));

    // Entering the oldest row's balance cell opens the unsettled-amount dialog.
    auto *grid = editor->grid();
    const int oldest = editor->editor().grid().journalRowCount();
    grid->setCurrentIndex(editor->model()->index(mokpe::journal::JournalTableModel::modelRow(oldest),
                                                 mokpe::journal::DebitAmountColumn));
    mokpe::journal::UnsettledAmountDialog *dialog = editor->unsettledAmountDialog();
    if (!dialog)
        return 1;
    dialog->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("160"));
    ok &= save(dialog, out, QStringLiteral("unsettled_amount_direct.png"));
    dialog->findChild<QRadioButton *>(QStringLiteral("Option2"))->click();
    dialog->findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("1660"));
    dialog->findChild<QPushButton *>(QStringLiteral("Command2"))->click();
    ok &= save(dialog, out, QStringLiteral("unsettled_amount_computed.png"));
    ok &= save(editor, out, QStringLiteral("journal_editor_balance_cell.png"));
    // "確　定" settles the oldest row; "再計算" shows the settlement.
    dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    if (dialog->isVisible())
        dialog->close();
    editor->editor().Fm2_TotalShow();

    // "精算印刷" on that journal: the preview of its report.
    const mokpe::output::SettlementReport report(editor->editor().grid(), state.history.cardKind,
                                                 state.history.sourceName, editor->editor().settlementLabel(),
                                                 mokpe::output::ReportFontMetrics());
    NoPrinters printers;
    mokpe::output::ui::SettlementPrintPreview preview(report, state.history.sourceName, messages, printers);
    preview.dialog().resize(960, 820);
    preview.dialog().show();
    settle();
    if (QAction *fitWidth = preview.dialog().findChild<QAction *>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    ok &= save(&preview.dialog(), out, QStringLiteral("report_preview.png"));
    preview.dialog().close();
    editor->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    return ok ? 0 : 1;
}
