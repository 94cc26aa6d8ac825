// Grabs each window of the program to a PNG, with sample files in a temporary
// program folder. Run under a real X server (tools/screenshots.sh uses Xvfb).
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/splash_window.h"
#include "common/text_file.h"
#include "journal/settlement.h"
#include "maintenance/ui/account_code_editor.h"
#include "maintenance/ui/colour_dialog.h"
#include "maintenance/ui/user_editor.h"
#include "output/settlement_report.h"
#include "output/ui/settlement_print_preview.h"
#include "platform/file_system.h"
#include "platform/messages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPushButton>
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
    std::vector<mokpe::platform::PrintFailure> printPagesAsJobs(const QString &, const QString &, int,
                                                                const mokpe::platform::PageDrawer &) override
    {
        return {};
    }
};

// A transit card's month as the journal editor shows it after "再計算".
void fillSampleJournal(mokpe::journal::JournalGrid &grid)
{
    const QString prefix = QStringLiteral("No.1: 山田　太郎，");
    const struct {
        const char *date;
        const char *account;
        const char *amount;
        const char *summary;
    } rows[] = {
        {"2008/10/30", "旅費交通費", "160", "ＪＲ東 新宿 出 ＪＲ東 渋谷"},
        {"2008/10/29", "旅費交通費", "190", "ﾒﾄﾛ 池袋 出 ﾒﾄﾛ 後楽園"},
        {"2008/10/28", "電子マネー", "3000", "現金　ﾁｬｰｼﾞ"},
        {"2008/10/27", "福利厚生費", "420", "物販　ｺﾝﾋﾞﾆ"},
        {"2008/10/24", "旅費交通費", "210", "ﾊﾞｽ 東京都交通局"},
        {"2008/10/22", "旅費交通費", "1280", "ＪＲ東 東京 出 ＪＲ東 横浜"},
        {"2008/10/20", "現金", "5000", "電子マネー精算"},
        {"2008/10/17", "交際費", "2650", "物販　喫茶"},
        {"2008/10/15", "旅費交通費", "160", "ＪＲ東 渋谷 出 ＪＲ東 新宿"},
        {"2008/10/10", "旅費交通費", "230", "ﾒﾄﾛ 大手町 出 ﾒﾄﾛ 表参道"},
    };
    int r = 0;
    for (const auto &row : rows) {
        ++r;
        const QString amount = QString::fromUtf8(row.amount);
        grid.setRowTexts(r, {QString::number(r), QString::fromUtf8(row.date), QString::fromUtf8(row.account),
                             amount, QStringLiteral("電子マネー"), amount,
                             prefix + QString::fromUtf8(row.summary)});
    }
    grid.setJournalRowCount(r);
}

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

    bool ok = true;
    mokpe::ui::SplashWindow splash;
    splash.show();
    ok &= save(&splash, out, QStringLiteral("splash.png"));
    splash.close();

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

    fillSampleJournal(state.journal);
    const mokpe::output::SettlementReport report(
        state.journal, mokpe::TransitCard, QStringLiteral("SFCardViewer_20081030.csv"),
        mokpe::journal::settlementLabelFor(state.journal, QStringLiteral("0")),
        mokpe::output::ReportFontMetrics());
    NoPrinters printers;
    mokpe::output::ui::SettlementPrintPreview preview(report, QStringLiteral("SFCardViewer_20081030.csv"),
                                                      messages, printers);
    preview.dialog().resize(960, 820);
    preview.dialog().show();
    settle();
    if (QAction *fitWidth = preview.dialog().findChild<QAction *>(QStringLiteral("fitWidthAction")))
        fitWidth->trigger();
    ok &= save(&preview.dialog(), out, QStringLiteral("report_preview.png"));
    preview.dialog().close();
    return ok ? 0 : 1;
}
