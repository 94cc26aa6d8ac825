#include "output/csv_export.h"

#include "common/atomic_file.h"
#include "common/text_file.h"
#include "journal/journal_messages.h"
#include "journal/output_target.h"
#include "output/export_options.h"
#include "output/export_preflight.h"
#include "output/export_settings.h"
#include "output/export_texts.h"
#include "output/kai_csv_writer.h"
#include "output/kaikei_csv_writer.h"
#include "output/suitou_csv_writer.h"
#include "platform/file_dialogs.h"
#include "settings/settings_file.h"

#include <QFileInfo>

#include <algorithm>

namespace mokpe::output {

namespace {

QString writeFormat(QIODevice &out, const AppState &state, const journal::JournalGrid &grid,
                    const ExportFields &fields, common::Progress &progress)
{
    switch (fields.selectedFormat) {
    case SuitouFormat:
        return Fm3_SuitouCsvWrite(out, grid, state.accounts, fields, progress);
    case KaikeiFormat:
        return Fm3_KaikeiCsvWrite(out, grid, state.accounts, fields, progress);
    case FuurinFormat3:
    case FuurinFormat4:
        return Fm3_KaiCsvWrite(out, grid, state.accounts, fields, progress);
    default:
        return QStringLiteral("CSVファイル出力形式が選択されていません．");
    }
}

} // namespace

QString dialogLineEndRefusal(const ExportFields &fields)
{
    // The month and day lists are editable too: they take a text that is no
    // entry, as the settings may give one ("03").
    const std::pair<const QString &, const char16_t *> boxes[] = {
        {fields.companyCode, u"商　号"},         {fields.companyName, u"会社名"},
        {fields.yearEnd.year, u"決算年月日"},    {fields.yearEnd.month, u"決算年月日"},
        {fields.yearEnd.day, u"決算年月日"},     {fields.periodStart.year, u"出力期間"},
        {fields.periodStart.month, u"出力期間"}, {fields.periodStart.day, u"出力期間"},
        {fields.periodEnd.year, u"出力期間"},    {fields.periodEnd.month, u"出力期間"},
        {fields.periodEnd.day, u"出力期間"},     {fields.rateBox, u"税区分"},
    };
    for (const auto &[text, caption] : boxes) {
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
            return journal::kLineEndInCellMessage.arg(QString::fromUtf16(caption));
    }
    return {};
}

ExportOutcome writeExportFile(ExportFields &fields, const AppState &state, const journal::JournalGrid &grid,
                              const QString &path, platform::MessageService &messages,
                              common::Progress &progress)
{
    const qint64 rows = std::max(0, grid.journalRowCount());
    progress.setRange(2 * rows);
    common::ProgressShare checking(progress, 0);
    const PreflightReport report = checkExportTexts(ExportSource{grid, state.accounts, fields}, checking);
    if (progress.wasCanceled()) {
        messages.inform(kExportStoppedMessage);
        return ExportOutcome::Stopped;
    }
    if (report.refused()) {
        messages.inform(preflightRefusalMessage(report));
        return ExportOutcome::Refused;
    }
    if (!report.empty() && !messages.ask(preflightQuestion(report), kPreflightQuestionTitle))
        return ExportOutcome::Declined;

    // The rate is the same on every row: one message for the whole file.
    if (fields.selectedFormat == KaikeiFormat && !fields.taxBlank && grid.journalRowCount() > 0 &&
        !Fm3_ZenNumber(fields.rememberedRate)) {
        messages.inform(kRateDigitsMessage);
    }

    common::AtomicFile file(path);
    if (const QString error = common::openAtomicWrite(file); !error.isEmpty()) {
        messages.inform(error);
        return ExportOutcome::Failed;
    }
    common::ProgressShare writing(progress, rows);
    const QString error = writeFormat(file, state, grid, fields, writing);
    if (progress.wasCanceled()) {
        file.cancelWriting();
        messages.inform(kExportStoppedMessage);
        return ExportOutcome::Stopped;
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        messages.inform(common::writeFailureMessage(path, error));
        return ExportOutcome::Failed;
    }
    const QString commitError = common::commitAtomicWrite(file);
    if (!commitError.isEmpty()) {
        messages.inform(commitError);
        return ExportOutcome::Failed;
    }
    progress.setValue(2 * rows);
    return ExportOutcome::Written;
}

ExportResult Fm3_CsvExport(ExportFields &fields, AppState &state, const journal::JournalGrid &grid,
                           const ExportServices &services, common::Progress &progress)
{
    platform::MessageService &messages = services.messages;
    ExportResult result;
    const QString stamp = dateStamp(services.clock.today());
    const QString filter = platform::qtFilterFromPairs(kExportFilterPairs);

    const PaddedCompanyCode padded = padCompanyCode(fields.companyCode);
    if (padded.tooLong)
        messages.inform(kCompanyCodeMessage);
    fields.companyCode = padded.code;

    fields.exportFileName =
        defaultExportFileName(fields.selectedFormat, stamp, state.history.sourceName, fields.companyCode);
    const QString path = services.dialogs.saveFile(
        {platform::FileKind::Export, filter, fields.exportFileName, state.history.sourceFolder()});
    if (path.isEmpty()) {
        messages.inform(kNoFileChosenMessage);
        result.outcome = ExportOutcome::Cancelled;
        return result;
    }
    result.path = path;
    if (const QString refusal = journal::outputTargetCheck(state, path, journal::OutputKind::Export);
        !refusal.isEmpty()) {
        messages.inform(refusal);
        result.outcome = ExportOutcome::Unwritable;
        return result;
    }
    if (QFileInfo::exists(path) && !messages.ask(kOverwriteQuestion, kOverwriteTitle)) {
        result.outcome = ExportOutcome::NotOverwritten;
        return result;
    }
    fields.exportFileName = QFileInfo(path).fileName();
    fields.rememberedRate = fields.rateBox;
    result.outcome = writeExportFile(fields, state, grid, path, messages, progress);
    return result;
}

ExportResult runExportCommand(ExportFields &fields, AppState &state, const journal::JournalGrid &grid,
                              const ExportServices &services, common::Progress &progress)
{
    if (!Fm3_FormatCheck(fields, state)) {
        services.messages.inform(kNoFormatMessage);
        return {};
    }
    if (const QString refusal = dialogLineEndRefusal(fields); !refusal.isEmpty()) {
        services.messages.inform(refusal);
        ExportResult refused;
        refused.outcome = ExportOutcome::Refused;
        return refused;
    }
    ExportResult result = Fm3_CsvExport(fields, state, grid, services, progress);
    result.settingsSaved =
        Fm3_IniFileSave(fields, state, settings::settingsFilePath(state), services.messages);
    return result;
}

} // namespace mokpe::output
