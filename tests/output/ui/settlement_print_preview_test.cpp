#include "output/ui/settlement_print_preview.h"

#include "output/report_pdf.h"
#include "output/settlement_print.h"

#include "support/file_helpers.h"
#include "support/file_kinds.h"
#include "support/pdf_words.h"
#include "support/report_journals.h"
#include "support/scripted_services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe::output::ui {
namespace {

const QString kLabel = QStringLiteral("精算金額：　　　-1,500");

struct SettlementPrintTest : ::testing::Test {
    AppState state;
    journal::JournalGrid grid;
    test::ScriptedServices services;
    // What the test saw of the preview while it was open.
    int previewPages = -1;
    bool landscapeVisible = true;

    SettlementPrintTest()
    {
        grid = test::sampleJournal(120);
        state.history.cardKind = TransitCard;
        state.history.sourceName = QStringLiteral("履歴.csv");
        services.printers.names = {QStringLiteral("Office_Laser"), QStringLiteral("Counter")};
        services.printers.defaultName = QStringLiteral("Office_Laser");
    }

    // Runs "精算印刷"; `whileOpen` acts on the preview once it is shown.
    bool run(const std::function<void(QPrintPreviewDialog &)> &whileOpen)
    {
        QTimer::singleShot(0, [this, whileOpen] {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                ADD_FAILURE() << "no preview";
                return;
            }
            EXPECT_EQ(dialog->objectName(), SettlementPrintPreview::kDialogName);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("精算印刷"));
            previewPages = dialog->findChild<QPrintPreviewWidget *>()->pageCount();
            for (QAction *action : dialog->findChildren<QAction *>()) {
                if (action->text() == QStringLiteral("Landscape"))
                    landscapeVisible = action->isVisible();
            }
            whileOpen(*dialog);
            // A test that left it open closes it.
            if (dialog->isVisible())
                dialog->reject();
        });
        return runSettlementPrint(nullptr, state, grid, kLabel, services.messages, services.printers,
                                  services.dialogs);
    }

    static QAction *printButton(QPrintPreviewDialog &dialog)
    {
        return dialog.findChild<QAction *>(SettlementPrintPreview::kPrintActionName);
    }
};

TEST_F(SettlementPrintTest, PreviewPrintsEachPageAsItsOwnJobToTheDefaultPrinter)
{
    bool closedByPrinting = false;
    EXPECT_TRUE(run([&](QPrintPreviewDialog &dialog) {
        QAction *print = printButton(dialog);
        ASSERT_TRUE(print);
        print->trigger();
        closedByPrinting = !dialog.isVisible();
    }));
    EXPECT_EQ(previewPages, 3);
    EXPECT_FALSE(landscapeVisible);
    EXPECT_TRUE(closedByPrinting);
    EXPECT_TRUE(services.messages.shown.empty()) << services.messages.texts().join('|').toStdString();
    ASSERT_EQ(services.printers.jobs.size(), 3u);
    for (int page = 1; page <= 3; ++page) {
        const auto &job = services.printers.jobs[static_cast<size_t>(page - 1)];
        EXPECT_EQ(job.printer, QStringLiteral("Office_Laser"));
        EXPECT_EQ(job.name, QStringLiteral("履歴.csv (%1/3)").arg(page));
        const auto words = test::readPdfWords(job.pdf);
        ASSERT_EQ(words.size(), 1u);
        EXPECT_TRUE(test::pageText(words[0]).contains(QStringLiteral("Page: %1 / 3").arg(page)));
    }
}

TEST_F(SettlementPrintTest, FailedPageIsToldAndThePreviewStaysOpen)
{
    services.printers.failingPages = {2};
    bool stayedOpen = false;
    EXPECT_TRUE(run([&](QPrintPreviewDialog &dialog) {
        printButton(dialog)->trigger();
        stayedOpen = dialog.isVisible();
    }));
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(services.printers.jobs.size(), 2u);
    EXPECT_EQ(services.messages.texts(),
              QStringList{QStringLiteral("精算書を印刷できませんでした．\r\nプリンタ：Office_Laser\r\n"
                                         "2 / 3 ページ：用紙がありません")});
}

TEST_F(SettlementPrintTest, ClosingThePreviewPrintsNothing)
{
    EXPECT_TRUE(run([](QPrintPreviewDialog &dialog) { dialog.reject(); }));
    EXPECT_EQ(previewPages, 3);
    EXPECT_TRUE(services.printers.jobs.empty());
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(SettlementPrintTest, RefusalComesBeforeAnyPreview)
{
    // Other printers are installed, but the last one listed is a document writer.
    services.printers.names.append(QStringLiteral("Microsoft Print to PDF"));
    services.messages.answerNext(false);
    EXPECT_FALSE(runSettlementPrint(nullptr, state, grid, kLabel, services.messages, services.printers,
                                    services.dialogs));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(services.messages.texts(), QStringList{kNoPrinterMessage});
    EXPECT_EQ(services.messages.offeredActions, QStringList{QStringLiteral("PDFで保存")});
    EXPECT_TRUE(services.printers.jobs.empty());
    EXPECT_TRUE(services.dialogs.requests.empty());
}

// The report as a PDF, from the no-printer message and from the preview: the
// same pages as `mokpe report -o` writes, in a file chosen in a save dialog
// that opens beside the journal; an existing file is replaced only on Yes.
TEST_F(SettlementPrintTest, WithoutAPrinterOrFromThePreviewTheReportIsSavedAsAPdf)
{
    test::TempFolder cards;
    state.history.sourcePath = cards.file(QStringLiteral("履歴.csv"));
    const QString pdf = cards.file(QStringLiteral("精算書.pdf"));
    const auto pagesOf = [](const QString &path) {
        QStringList pages;
        for (const test::PdfPageWords &page : test::readPdfWords(path))
            pages.append(test::pageText(page));
        return pages;
    };

    services.printers.names.clear();
    services.messages.answerNext(true);
    services.dialogs.chooseNext(pdf);
    EXPECT_FALSE(runSettlementPrint(nullptr, state, grid, kLabel, services.messages, services.printers,
                                    services.dialogs));
    ASSERT_EQ(services.dialogs.requests.size(), 1u);
    const platform::FileRequest &request = services.dialogs.requests[0];
    EXPECT_EQ(request.kind, platform::FileKind::Report);
    EXPECT_EQ(request.presetName, QStringLiteral("履歴.pdf"));
    EXPECT_EQ(request.filter, QStringLiteral("PDFファイル (*.pdf)"));
    EXPECT_EQ(request.fallbackFolder, cards.path());
    EXPECT_EQ(services.messages.texts(),
              (QStringList{kNoPrinterMessage, QStringLiteral("精算書をPDFで保存しました．\r\n") +
                                                  QDir::toNativeSeparators(pdf)}));
    const QStringList pages = pagesOf(pdf);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Page: 3 / 3")));
    const SettlementReport report(grid, state.history.cardKind, state.history.sourceName, kLabel,
                                  state.settings.emoneyNameCopy, ReportFontMetrics());
    test::TempFolder other;
    ASSERT_EQ(writeReportPdf(other.file(QStringLiteral("cli.pdf")), report), QString());
    EXPECT_EQ(pages, pagesOf(other.file(QStringLiteral("cli.pdf"))));

    // From the preview, over the file just written: No keeps it, Yes replaces it.
    services.printers.names = {QStringLiteral("Office_Laser")};
    services.messages.shown.clear();
    test::writeBytes(pdf, "old");
    EXPECT_TRUE(run([&](QPrintPreviewDialog &dialog) {
        QAction *save = dialog.findChild<QAction *>(SettlementPrintPreview::kPdfActionName);
        ASSERT_TRUE(save);
        EXPECT_EQ(save->text(), QStringLiteral("PDFで保存"));
        services.dialogs.chooseNext(pdf);
        services.messages.answerNext(false);
        save->trigger();
        EXPECT_EQ(test::fileBytes(pdf), QByteArray("old"));
        services.dialogs.chooseNext(pdf);
        services.messages.answerNext(true);
        save->trigger();
        EXPECT_TRUE(dialog.isVisible());
    }));
    EXPECT_EQ(pagesOf(pdf), pages);
    EXPECT_EQ(services.dialogs.requests.back().fallbackFolder, cards.path());
    EXPECT_TRUE(services.printers.jobs.empty());
}

// The PDF goes neither onto the history the journal was read from nor onto a
// pipe: each is refused, naming the file, before the replace question.
TEST_F(SettlementPrintTest, ThePdfIsNotWrittenWhereNoOutputMayGo)
{
    test::TempFolder cards;
    state.history.sourcePath = cards.file(QStringLiteral("履歴.csv"));
    test::writeBytes(state.history.sourcePath, "history");
    services.printers.names.clear();
    struct Case {
        QString path;
        QString message;
    };
    std::vector<Case> cases = {
        {state.history.sourcePath,
         QStringLiteral("ファイル「%1」は読み込んだファイルのため，出力先にできません．\r\n"
                        "別のファイル名を指定して下さい．")
             .arg(QDir::toNativeSeparators(state.history.sourcePath))},
    };
    const QString pipe = cards.file(QStringLiteral("pipe.pdf"));
    if (test::pipeInFolderUnavailable().isEmpty()) {
        cases.push_back({test::makePipe(pipe),
                         QStringLiteral("ファイル「%1」に書き込めません．\r\n"
                                        "通常のファイルではありません(パイプやデバイスには書き込めません)．")
                             .arg(QDir::toNativeSeparators(pipe))});
    }
    for (const Case &c : cases) {
        services.messages.shown.clear();
        services.messages.answerNext(true);
        services.dialogs.chooseNext(c.path);
        runSettlementPrint(nullptr, state, grid, kLabel, services.messages, services.printers,
                           services.dialogs);
        EXPECT_EQ(services.messages.texts(), (QStringList{kNoPrinterMessage, c.message}));
    }
    EXPECT_EQ(test::fileBytes(state.history.sourcePath), QByteArray("history"));
    EXPECT_FALSE(QFileInfo(pipe).isFile());
}

TEST_F(SettlementPrintTest, APrintStoppedAfterItsFirstPageSaysHowManyPagesWerePrinted)
{
    const SettlementReport report(grid, state.history.cardKind, state.history.sourceName, kLabel,
                                  state.settings.emoneyNameCopy, ReportFontMetrics());
    SettlementPrintPreview preview(state, report, state.history.sourceName, services.messages,
                                   services.printers, services.dialogs, nullptr, 0);
    // The user stops the print as soon as its dialog is up, while the first page goes out.
    QStringList labels;
    bool cancelButton = false;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QProgressDialog *>(w);
            if (!dialog || !dialog->isVisible() ||
                dialog->objectName() != mokpe::ui::ProgressDialog::kObjectName)
                continue;
            labels.append(dialog->labelText());
            cancelButton = dialog->findChild<QPushButton *>() != nullptr;
            dialog->cancel();
        }
    });
    watcher.start();
    EXPECT_FALSE(preview.printToDefaultPrinter());
    watcher.stop();

    EXPECT_EQ(labels, QStringList{mokpe::ui::kPrintingLabel});
    EXPECT_TRUE(cancelButton);
    ASSERT_EQ(services.printers.jobs.size(), 1u);
    EXPECT_EQ(services.printers.jobs[0].name, QStringLiteral("履歴.csv (1/3)"));
    EXPECT_EQ(services.messages.texts(), QStringList{kPrintStoppedMessage.arg(3).arg(1)});
}

} // namespace
} // namespace mokpe::output::ui
