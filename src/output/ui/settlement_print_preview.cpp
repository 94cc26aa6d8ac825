#include "output/ui/settlement_print_preview.h"

#include "output/report_painter.h"
#include "output/report_pdf_save.h"
#include "output/settlement_print.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QToolBar>
#include <QToolButton>

namespace mokpe::output::ui {

namespace {

// The dialog's own actions carry no names; they are found by their texts.
QAction *previewAction(QPrintPreviewDialog &dialog, const char *text)
{
    const QString wanted = QCoreApplication::translate("QPrintPreviewDialog", text);
    for (QAction *action : dialog.findChildren<QAction *>()) {
        if (action->text() == wanted)
            return action;
    }
    return nullptr;
}

} // namespace

bool runSettlementPrint(QWidget *parent, const AppState &state, const journal::JournalGrid &grid,
                        const QString &settlementLabel, platform::MessageService &messages,
                        platform::PrinterService &printers, platform::FileDialogService &dialogs,
                        int progressShowDelayMs)
{
    const PrintStart start = settlementPrintStart(grid, printers, messages);
    if (start == PrintStart::Refused)
        return false;
    const SettlementPrintJob job = prepareSettlementReport(state, grid, settlementLabel);
    if (start == PrintStart::PdfInstead) {
        saveReportAsPdf(state, job.report, reportPdfName(job.jobName), state.history.sourceFolder(), messages,
                        dialogs);
        return false;
    }
    SettlementPrintPreview preview(state, job.report, job.jobName, messages, printers, dialogs, parent,
                                   progressShowDelayMs);
    preview.setPdfFolder(state.history.sourceFolder());
    preview.exec();
    return true;
}

SettlementPrintPreview::SettlementPrintPreview(const AppState &state, const SettlementReport &report,
                                               QString jobName, platform::MessageService &messages,
                                               platform::PrinterService &printers,
                                               platform::FileDialogService &dialogs, QWidget *parent,
                                               int progressShowDelayMs)
    : state_(state), report_(report), jobName_(std::move(jobName)), messages_(messages), printers_(printers),
      dialogs_(dialogs), progressShowDelayMs_(progressShowDelayMs), previewPrinter_(QPrinter::HighResolution)
{
    // The preview never reaches a printer: a PDF device keeps the print
    // service out of it and gives the same A4 page.
    previewPrinter_.setOutputFormat(QPrinter::PdfFormat);
    previewPrinter_.setFullPage(true);
    setUpReportPage(previewPrinter_);
    previewPrinter_.setDocName(jobName_);

    dialog_ = std::make_unique<QPrintPreviewDialog>(&previewPrinter_, parent);
    dialog_->setObjectName(kDialogName);
    dialog_->setWindowTitle(kSettlementPrintTitle);
    connect(dialog_.get(), &QPrintPreviewDialog::paintRequested, this, &SettlementPrintPreview::paintPreview);

    for (const char *fixed : {"Portrait", "Landscape", "Page setup"}) {
        if (QAction *action = previewAction(*dialog_, fixed))
            action->setVisible(false);
    }
    printAction_ = previewAction(*dialog_, "Print");
    if (printAction_) {
        printAction_->setObjectName(kPrintActionName);
        // Qt's own print would ask for a printer and send one job of all pages.
        disconnect(printAction_, nullptr, dialog_.get(), nullptr);
        connect(printAction_, &QAction::triggered, this, [this] {
            if (printToDefaultPrinter())
                dialog_->accept();
        });
    }
    // Beside the print button: the same report as a PDF, for filing or mailing.
    pdfAction_ = new QAction(kSaveAsPdfCaption, dialog_.get());
    pdfAction_->setObjectName(kPdfActionName);
    pdfAction_->setToolTip(kSaveAsPdfCaption);
    if (auto *toolBar = dialog_->findChild<QToolBar *>()) {
        toolBar->addSeparator();
        toolBar->addAction(pdfAction_);
        if (auto *button = qobject_cast<QToolButton *>(toolBar->widgetForAction(pdfAction_)))
            button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    connect(pdfAction_, &QAction::triggered, this, [this] { saveAsPdf(); });
}

bool SettlementPrintPreview::saveAsPdf()
{
    return saveReportAsPdf(state_, report_, reportPdfName(jobName_), pdfFolder_, messages_, dialogs_);
}

SettlementPrintPreview::~SettlementPrintPreview() = default;

int SettlementPrintPreview::exec()
{
    return dialog_->exec();
}

void SettlementPrintPreview::paintPreview(QPrinter *printer)
{
    // A preview cut short would show a report that is not the one printed.
    mokpe::ui::ProgressDialog progress(dialog_->parentWidget(), mokpe::ui::kPreviewLabel,
                                       mokpe::ui::ProgressDialog::Cancel::NotAllowed, progressShowDelayMs_);
    QPainter painter(printer);
    paintReport(painter, *printer, report_, progress);
}

bool SettlementPrintPreview::printToDefaultPrinter()
{
    const QString printer = choosePrinter(QString(), printers_, messages_);
    if (printer.isEmpty()) {
        messages_.inform(kNoPrinterMessage);
        return false;
    }
    mokpe::ui::ProgressDialog progress(dialog_.get(), mokpe::ui::kPrintingLabel,
                                       mokpe::ui::ProgressDialog::Cancel::Allowed, progressShowDelayMs_);
    return printReport(report_, jobName_, printer, printers_, messages_, progress);
}

} // namespace mokpe::output::ui
