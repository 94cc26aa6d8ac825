#include "fuzz_support.h"
#include "journal_checks.h"

#include "app/program_start.h"
#include "common/cp932.h"
#include "common/text_file.h"
#include "import/card_history_reader.h"
#include "journal/journal_editor.h"
#include "maintenance/account_code_file.h"
#include "output/amount_offset.h"
#include "output/column_fit.h"
#include "output/csv_export.h"
#include "output/export_hand_over.h"
#include "output/export_options.h"
#include "output/export_preflight.h"
#include "output/export_settings.h"
#include "output/export_texts.h"
#include "output/kai_csv_writer.h"
#include "output/kaikei_csv_writer.h"
#include "output/settlement_print.h"
#include "output/settlement_report.h"
#include "output/suitou_csv_writer.h"
#include "platform/inert_services.h"
#include "platform/os_system_info.h"

#include <QBuffer>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace mokpe::fuzz {

namespace {

using output::PreflightProblem;

const QDate kToday(2024, 6, 1);
constexpr char kSectionEnd = '\x1e';

// The lines a format writes before and after the journal lines, and the
// fields of a journal line when no heading line tells.
struct FormatShape {
    int headLines;
    int tailLines;
    // The heading line whose field count every journal line has; -1: none.
    int headingLine;
    int fieldsWithoutHeading;
};

FormatShape shapeOf(int format)
{
    switch (format) {
    case output::SuitouFormat:
        return {4, 0, 3, 0};
    case output::KaikeiFormat:
        return {7, 3, 6, 0};
    default:
        return {0, 0, -1, 16};
    }
}

QString writeFormat(QIODevice &out, const AppState &state, const journal::JournalGrid &grid,
                    const output::ExportFields &fields)
{
    switch (fields.selectedFormat) {
    case output::SuitouFormat:
        return output::Fm3_SuitouCsvWrite(out, grid, state.accounts, fields);
    case output::KaikeiFormat:
        return output::Fm3_KaikeiCsvWrite(out, grid, state.accounts, fields);
    default:
        return output::Fm3_KaiCsvWrite(out, grid, state.accounts, fields);
    }
}

// Fields of a CSV line whose quoted fields hold no double quote.
qsizetype fieldCount(QStringView line)
{
    qsizetype fields = 1;
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            ++fields;
    }
    return fields;
}

bool hasProblem(const output::PreflightReport &report, PreflightProblem::Kind kind)
{
    return std::any_of(report.problems.begin(), report.problems.end(),
                       [kind](const PreflightProblem &p) { return p.kind == kind; });
}

// What the preflight let through, the writer writes; what it refused for a
// character, the writer cannot write. A written file is CP932 with CR LF, has
// the format's lines, and, when no text breaks the CSV structure, every
// journal line has the format's fields.
void checkExport(Findings &findings, const AppState &state, const journal::JournalGrid &grid,
                 const output::ExportFields &fields)
{
    const output::PreflightReport report =
        output::checkExportTexts(output::ExportSource{grid, state.accounts, fields});
    const QString listed =
        report.refused() ? output::preflightRefusalMessage(report) : output::preflightQuestion(report);
    expect(findings, report.empty() || !listed.isEmpty(), QStringLiteral("the preflight lists no problem"));

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString error = writeFormat(buffer, state, grid, fields);
    const bool notCp932 = hasProblem(report, PreflightProblem::Kind::NotCp932);
    if (!error.isEmpty() || notCp932) {
        expect(findings, !error.isEmpty() && notCp932,
               QStringLiteral("format %1: the preflight %2 a character, the writer %3")
                   .arg(fields.selectedFormat)
                   .arg(notCp932 ? QStringLiteral("refused") : QStringLiteral("passed"),
                        error.isEmpty() ? QStringLiteral("wrote it") : QStringLiteral("failed: ") + error));
        return;
    }

    const QByteArray bytes = buffer.data();
    expect(findings, bytes.count('\r') == bytes.count('\n') && bytes.count("\r\n") == bytes.count('\n'),
           QStringLiteral("format %1: a line does not end with CR LF").arg(fields.selectedFormat));
    const common::Cp932Decoded decoded = common::decodeCp932(bytes);
    if (!decoded.ok) {
        findings.append(QStringLiteral("format %1: the file is not CP932 at byte %2")
                            .arg(fields.selectedFormat)
                            .arg(decoded.errorOffset));
        return;
    }
    QStringList lines = decoded.text.split(QStringLiteral("\r\n"));
    // The last line end closes the last line.
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    const FormatShape shape = shapeOf(fields.selectedFormat);
    const int rows = grid.journalRowCount();
    if (lines.size() != shape.headLines + rows + shape.tailLines) {
        findings.append(QStringLiteral("format %1: %2 lines for %3 journal rows")
                            .arg(fields.selectedFormat)
                            .arg(lines.size())
                            .arg(rows));
        return;
    }
    if (hasProblem(report, PreflightProblem::Kind::QuoteInQuoted) ||
        hasProblem(report, PreflightProblem::Kind::SeparatorInBare))
        return;
    const qsizetype fields_ =
        shape.headingLine >= 0 ? fieldCount(lines.at(shape.headingLine)) : shape.fieldsWithoutHeading;
    for (int r = 1; r <= rows; ++r) {
        const QString &line = lines.at(shape.headLines + r - 1);
        if (fieldCount(line) != fields_) {
            findings.append(QStringLiteral("format %1: journal row %2 has %3 fields instead of %4: %5")
                                .arg(fields.selectedFormat)
                                .arg(r)
                                .arg(fieldCount(line))
                                .arg(fields_)
                                .arg(line));
            return;
        }
    }
}

// Every page of the report: as many as the rows need, and every summary and
// every number the offset table does not place ends inside its column.
void checkReport(Findings &findings, const AppState &state, const journal::JournalGrid &grid,
                 const QString &settlementLabel)
{
    static const output::ReportFontMetrics metrics;
    const output::SettlementReport report(grid, state.history.cardKind, state.history.sourceName,
                                          settlementLabel, state.settings.emoneyNameCopy, metrics);
    const int rows = std::clamp(grid.journalRowCount(), 0, grid.rowTotal() - 1);
    const int pages = rows == 0 ? 1 : (rows + output::kReportRowsPerPage - 1) / output::kReportRowsPerPage;
    if (report.pageCount() != pages) {
        findings.append(QStringLiteral("%1 report pages for %2 rows").arg(report.pageCount()).arg(rows));
        return;
    }
    const auto &columns = output::reportColumns();
    const double firstDataY =
        output::kReportTableTop + 2 * output::kReportRowHeight + output::kReportTextDrop;
    constexpr double kSlack = 1e-6;
    for (int p = 0; p < pages; ++p) {
        const output::ReportPage page = report.page(p);
        for (const output::ReportText &text : page.texts) {
            if (text.y < firstDataY - kSlack || text.text == settlementLabel)
                continue;
            // The column a text starts in; a number the offset table places may start left of it.
            const auto column =
                std::find_if(columns.rbegin(), columns.rend(),
                             [&text](const output::ReportColumn &c) { return text.x >= c.left; });
            if (column == columns.rend())
                continue;
            const bool summary = column->heading == columns.back().heading;
            const bool freeNumber =
                (column->heading == columns[0].heading || column->heading == columns[3].heading ||
                 column->heading == columns[4].heading) &&
                !output::amountOffsetCovers(text.text.size());
            if (!summary && !freeNumber)
                continue;
            const double end = text.x + metrics.width(text.text, text.pointSize);
            const double right = column->left + column->width - output::kColumnPadding;
            if (end > right + kSlack ||
                (summary && text.pointSize < output::kReportSmallestSummaryPoints - kSlack)) {
                findings.append(
                    QStringLiteral("page %1: \"%2\" at %3 pt ends at %4 mm, past its column's %5 mm")
                        .arg(p + 1)
                        .arg(text.text)
                        .arg(text.pointSize)
                        .arg(end)
                        .arg(right));
                return;
            }
        }
    }
}

// The journal rows of the lean entry: UTF-8 text, one row a line (no cell
// holds a line end: the cell editor refuses one), cells separated by tabs
// (number, date, accounts and amounts, summary; the summary takes the rest of
// the line), in rows 1 on of an otherwise empty grid.
void loadRows(journal::JournalGrid &grid, QByteArrayView text)
{
    const QStringList lines = common::splitLines(QString::fromUtf8(text));
    grid.initialise(1);
    grid.setRowTotal(static_cast<int>(lines.size()) + 1);
    for (qsizetype r = 0; r < lines.size(); ++r) {
        const QString &line = lines.at(r);
        journal::RowTexts cells;
        qsizetype begin = 0;
        for (int c = 0; c < journal::kColumnCount; ++c) {
            const qsizetype tab = c < journal::SummaryColumn ? line.indexOf(QLatin1Char('\t'), begin) : -1;
            cells[static_cast<size_t>(c)] = tab < 0 ? line.mid(begin) : line.mid(begin, tab - begin);
            if (tab < 0)
                break;
            begin = tab + 1;
        }
        grid.setRowTexts(static_cast<int>(r) + 1, std::move(cells));
    }
    grid.setJournalRowCount(static_cast<int>(lines.size()));
}

// "Y/M/D" as the three date boxes (year box, month and day lists).
output::DateBoxes dateBoxesOf(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    const auto part = [&parts](qsizetype i) { return i < parts.size() ? parts.at(i) : QString(); };
    return {part(0), part(1), parts.size() > 2 ? parts.mid(2).join(QLatin1Char('/')) : QString()};
}

// The input of both export entries: a format byte, an option byte, then three
// parts, each ended by 0x1E.
struct ExportInput {
    int format;
    unsigned char options;
    QList<QByteArrayView> parts;
};

std::optional<ExportInput> exportInputOf(QByteArrayView input)
{
    if (input.size() < 2)
        return std::nullopt;
    return ExportInput{static_cast<unsigned char>(input[0]) % output::kFormatCount + 1,
                       static_cast<unsigned char>(input[1]), sections(input.sliced(2), kSectionEnd, 3)};
}

} // namespace

Findings exportEntry(QByteArrayView input)
{
    Findings findings;
    const std::optional<ExportInput> given = exportInputOf(input);
    if (!given)
        return findings;
    const auto &[format, options, files] = *given;

    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString historyPath = folder.write(QStringLiteral("history.csv"), files[0]);
    folder.write(QStringLiteral("kamoku_code.csv"), files[1]);
    // No settings: the start-up writes the defaults.
    if (!files[2].isEmpty())
        folder.write(QStringLiteral("inifile.ini"), files[2]);

    AppState &state = freshState(folder.path());
    RecordingMessages messages((options & 2) != 0);
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    platform::OsSystemInfo system;
    app::programStart(state, messages, system);
    if (import::Fm1_CsvFileRead(state, historyPath, messages) != import::CsvReadOutcome::Accepted)
        return findings;
    state.history.sourcePath = historyPath;
    state.history.sourceName = QStringLiteral("history.csv");

    journal::JournalGrid grid;
    journal::JournalEditor editor(state, grid, services);
    editor.startUp();
    if (options & 1)
        settleBalanceCells(findings, editor);
    // The editor's checks before the hand-over; the writers must cope with
    // whatever journal they are handed, so the export goes on either way.
    output::handOverChecks(editor);
    checkGridShape(findings, editor.grid());

    output::ExportFields fields;
    output::Fm3_IniFileRead(fields, state, kToday, messages);
    fields.optionEnabled.fill(true);
    output::selectFormat(fields, state, format);
    if (options & 4)
        output::chooseTaxBlank(fields);
    else
        output::chooseTaxRate(fields);
    // What "実　行" does to the boxes before writing.
    fields.companyCode = output::padCompanyCode(fields.companyCode).code;
    fields.rememberedRate = fields.rateBox;
    checkExport(findings, state, grid, fields);

    output::lastRowCheck(editor.grid(), messages);
    checkReport(findings, state, grid, editor.settlementLabel());
    return findings;
}

Findings exportWritersEntry(QByteArrayView input)
{
    Findings findings;
    const std::optional<ExportInput> given = exportInputOf(input);
    if (!given)
        return findings;
    const auto &[format, options, parts] = *given;

    AppState &state = freshState(QString());
    state.settings = firstStartSettings();
    state.history.cardKind = (options >> 1) % 4;
    state.history.sourceName = QStringLiteral("history.csv");
    // One grid for every input, as the program keeps one: a fresh grid would
    // build its 2,000 empty rows only for loadRows to clear them. Its texts go
    // with the input: what an input leaves allocated, the fuzzer takes for a
    // possible leak and runs the input again to look for one.
    static journal::JournalGrid grid;
    const auto release = qScopeGuard([] { grid.initialise(1); });
    loadRows(grid, parts[0]);
    // The account table as the start-up check loads it; one that cannot be
    // read is left out, as a missing one is.
    const common::TextReadResult table = common::decodeTextBytes(
        parts[1].toByteArray(), common::TextEncoding::Cp932, settings::kAccountCodeFileName);
    state.accounts.lines = table.ok ? maintenance::accountLinesOf(table.lines) : QStringList{QString()};
    state.accounts.lastIndex = static_cast<int>(state.accounts.lines.size()) - 1;

    // The dialog's boxes, one a line: company code and name, the year-end
    // date, the period's start and end (each "Y/M/D"), the rate.
    QStringList values = QString::fromUtf8(parts[2]).split(QLatin1Char('\n'));
    while (values.size() < 6)
        values.append(QString());
    output::ExportFields fields;
    fields.optionEnabled.fill(true);
    fields.selectedFormat = format;
    fields.companyCode = output::padCompanyCode(values[0]).code;
    fields.companyName = values[1];
    fields.yearEnd = dateBoxesOf(values[2]);
    fields.periodStart = dateBoxesOf(values[3]);
    fields.periodEnd = dateBoxesOf(values[4]);
    fields.rateBox = values[5];
    fields.rememberedRate = fields.rateBox;
    fields.taxBlank = (options & 1) != 0;
    // "実　行" refuses a line end in a box before anything is written.
    if (output::dialogLineEndRefusal(fields).isEmpty())
        checkExport(findings, state, grid, fields);

    RecordingMessages messages;
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalEditor editor(state, grid, services);
    editor.Fm2_TotalShow();
    checkReport(findings, state, grid, editor.settlementLabel());
    return findings;
}

} // namespace mokpe::fuzz
