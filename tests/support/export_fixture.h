#pragma once

#include "common/app_state.h"
#include "journal/journal_grid.h"
#include "output/csv_export.h"
#include "output/export_fields.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QStringList>

namespace mokpe::output::test_support {

// The Ｗ code set's lines as the account code editor saves them.
QStringList wAccountLines();
// The 楓林 code set's lines.
QStringList fuurinAccountLines();

// A program folder with settings, an account code table and a journal, the
// state the main window and the journal editor leave behind, and the dialog's
// fields after its opening.
struct ExportFixture {
    // The test's folder: the program folder is "program" in it, and the
    // outputs go beside that, where the program may write them.
    mokpe::test::TempFolder program;
    AppState state;
    journal::JournalGrid grid;
    mokpe::test::ScriptedServices services;
    ExportFields fields;

    // `settingsLines` are written as "inifile.ini" (CP932, CR LF) and read as
    // at start-up; the code system follows line 0.
    explicit ExportFixture(const QStringList &settingsLines, const QStringList &accounts = wAccountLines());
    // Journal rows 1… from "date|debit|amount|credit|amount|summary" texts.
    void setJournal(const QStringList &rows);
    // The dialog's first hand-over (handOverFields).
    void openDialog();
    ExportServices exportServices() { return {services.messages, services.dialogs, services.clock}; }
    QString iniPath() const { return file(QStringLiteral("inifile.ini")); }
    QStringList iniLines() const;
    // A file the program keeps, in the program folder; any other beside it.
    QString file(const QString &name) const;
};

// Settings lines 0 to 14 for a format choice, with company data.
QStringList settingsFor(const QString &formatChoice, const QString &taxMode = QStringLiteral("1"),
                        const QString &rate = QStringLiteral("5"));

} // namespace mokpe::output::test_support
