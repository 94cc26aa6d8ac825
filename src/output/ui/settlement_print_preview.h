#pragma once

#include "common/app_state.h"
#include "common/ui/progress_dialog.h"
#include "journal/journal_grid.h"
#include "output/settlement_report.h"
#include "platform/file_dialogs.h"
#include "platform/messages.h"
#include "platform/printer_service.h"

#include <QObject>
#include <QPrinter>

#include <memory>

class QAction;
class QPrintPreviewDialog;
class QWidget;

namespace mokpe::output::ui {

using mokpe::ui::kProgressShowDelayMs;

// "精算印刷" of the journal editor (`Command8`): the last-row check and
// Fm2_PrinterCheck with their messages, then the report in a print preview
// (modal). Its print button sends the report to the default printer, each page
// its own print job; a failed page is told and the preview stays open. Without
// a printer the message offers the report as a PDF instead, as the preview's
// "PDFで保存" does. True when the preview was shown, false when a check refused.
// Painting the preview and printing show a progress dialog when they outlast
// `progressShowDelayMs`; the print can be stopped after any page.
bool runSettlementPrint(QWidget *parent, const AppState &state, const journal::JournalGrid &grid,
                        const QString &settlementLabel, platform::MessageService &messages,
                        platform::PrinterService &printers, platform::FileDialogService &dialogs,
                        int progressShowDelayMs = kProgressShowDelayMs);

// The preview of one report: A4 portrait only (its orientation and page set-up
// buttons are hidden), printed through the printer service instead of Qt's
// print dialog, which would send all pages as one job, or saved as a PDF.
class SettlementPrintPreview final : public QObject {
    Q_OBJECT
public:
    // The preview dialog's objectName and that of its print button.
    static inline const QString kDialogName = QStringLiteral("SettlementPrintPreview");
    static inline const QString kPrintActionName = QStringLiteral("settlementPrintAction");
    static inline const QString kPdfActionName = QStringLiteral("savePdfAction");

    // `state`: the journal's input and program folder, where no PDF may go.
    SettlementPrintPreview(const AppState &state, const SettlementReport &report, QString jobName,
                           platform::MessageService &messages, platform::PrinterService &printers,
                           platform::FileDialogService &dialogs, QWidget *parent = nullptr,
                           int progressShowDelayMs = kProgressShowDelayMs);
    ~SettlementPrintPreview() override;

    QPrintPreviewDialog &dialog() { return *dialog_; }
    QAction *printAction() const { return printAction_; }
    QAction *pdfAction() const { return pdfAction_; }
    // Where the PDF goes until one has been saved elsewhere (the journal's folder).
    void setPdfFolder(const QString &folder) { pdfFolder_ = folder; }
    // Shows the preview until it is closed or the report has been printed.
    int exec();
    // What the print button does; true when every page went to the printer.
    bool printToDefaultPrinter();
    // What "PDFで保存" does; true when the PDF was written.
    bool saveAsPdf();

private:
    void paintPreview(QPrinter *printer);

    const AppState &state_;
    const SettlementReport &report_;
    QString jobName_;
    platform::MessageService &messages_;
    platform::PrinterService &printers_;
    platform::FileDialogService &dialogs_;
    int progressShowDelayMs_;
    QString pdfFolder_;
    // The preview draws on this printer (never printed to), so it lives longer
    // than the dialog.
    QPrinter previewPrinter_;
    std::unique_ptr<QPrintPreviewDialog> dialog_;
    QAction *printAction_ = nullptr;
    QAction *pdfAction_ = nullptr;
};

} // namespace mokpe::output::ui
