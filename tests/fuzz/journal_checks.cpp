#include "journal_checks.h"

#include "fuzz_support.h"

#include "common/cp932.h"
#include "common/text_file.h"
#include "common/vb_strings.h"
#include "import/card_history_reader.h"
#include "journal/journal_file.h"
#include "journal/settlement.h"
#include "journal/unsettled_amount.h"

#include <QBuffer>
#include <QRegularExpression>

#include <algorithm>

namespace mokpe::fuzz {

namespace {

// A text as it stands after a trip through CP932 (unchanged when CP932 cannot hold it).
QString viaCp932(const QString &text)
{
    // ASCII comes back as it was: most cells are digits and dates.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text;
    const common::Cp932Encoded encoded = common::encodeCp932(text);
    if (!encoded.ok)
        return text;
    return common::decodeCp932(encoded.bytes).text;
}

journal::RowTexts viaCp932(const journal::RowTexts &row)
{
    journal::RowTexts result;
    for (size_t c = 0; c < row.size(); ++c)
        result[c] = viaCp932(row[c]);
    return result;
}

} // namespace

void checkGridShape(Findings &findings, const journal::JournalGrid &grid)
{
    expect(findings, grid.journalRowCount() >= 0 && grid.journalRowCount() <= grid.rowTotal() - 1,
           QStringLiteral("the journal row count %1 lies outside the grid of %2 rows")
               .arg(grid.journalRowCount())
               .arg(grid.rowTotal()));
    expect(findings, grid.rowTotal() >= journal::kMinimumRowTotal,
           QStringLiteral("the grid offers %1 rows, fewer than its minimum").arg(grid.rowTotal()));
}

void checkBuiltRows(Findings &findings, const journal::JournalGrid &grid)
{
    for (int c = 0; c < journal::kColumnCount; ++c) {
        expect(findings, grid.text(0, c) == journal::kHeadings[static_cast<size_t>(c)],
               QStringLiteral("row 0 lost the heading of column %1").arg(c));
    }
    const int last = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    for (int r = 1; r <= last; ++r) {
        if (grid.text(r, journal::NumberColumn) != QString::number(r)) {
            findings.append(
                QStringLiteral("row %1 is numbered \"%2\"").arg(r).arg(grid.text(r, journal::NumberColumn)));
            return;
        }
        if (grid.text(r, journal::DebitAmountColumn) != grid.text(r, journal::CreditAmountColumn)) {
            findings.append(QStringLiteral("row %1 books \"%2\" as debit and \"%3\" as credit")
                                .arg(r)
                                .arg(grid.text(r, journal::DebitAmountColumn),
                                     grid.text(r, journal::CreditAmountColumn)));
            return;
        }
    }
}

void checkSettlementLabel(Findings &findings, const QString &label)
{
    if (!label.startsWith(journal::kSettlementLabelPrefix)) {
        findings.append(QStringLiteral("the settlement label lacks its caption: ") + label);
        return;
    }
    const QString amount = label.mid(journal::kSettlementLabelPrefix.size());
    QString digits = amount;
    digits.remove(QLatin1Char(','));
    // The sum of 64-bit amounts may pass 64 bits: the digits, not a qint64.
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)$"));
    const bool ok = number.match(digits).hasMatch();
    expect(findings, ok, QStringLiteral("the settlement amount is no number: ") + amount);
    if (ok) {
        expect(findings, journal::Fm2_ThousandsFormat(digits) == amount,
               QStringLiteral("the settlement amount has its separators out of place: ") + amount);
    }
}

void settleBalanceCells(Findings &findings, journal::JournalEditor &editor)
{
    for (const journal::CellPosition &cell : journal::balanceCells(editor.grid())) {
        editor.setCurrentCell(cell.row, cell.column);
        if (!editor.enterBalanceCell()) {
            findings.append(
                QStringLiteral("the balance cell of row %1 does not open the dialog").arg(cell.row));
            continue;
        }
        journal::UnsettledAmountForm form(editor.pendingCell().value);
        const std::optional<qint64> balance = common::toWholeNumber(editor.pendingCell().value);
        QString message;
        const QString &pending = form.pendingValue();
        const bool digitsOnly =
            !pending.isEmpty() && std::all_of(pending.begin(), pending.end(), [](QChar c) {
                return c >= QLatin1Char('0') && c <= QLatin1Char('9');
            });
        if (digitsOnly && balance && *balance < 100'000'000'000'000'000) {
            form.chooseComputed();
            form.text2 = QString::number(*balance + 100);
            message = form.compute();
            expect(findings, message.isEmpty() && form.label3 == QStringLiteral("100"),
                   QStringLiteral("\"計　算\" on balance %1 and previous balance %2 gives %3 %4")
                       .arg(form.text1, form.text2, form.label3, message));
        } else {
            form.text1 = QStringLiteral("100");
        }
        QString value;
        message = form.confirm(value);
        expect(findings, message.isEmpty(), QStringLiteral("\"確　定\" refused: ") + message);
        if (message.isEmpty())
            editor.settlePendingCell(value);
    }
    editor.Fm2_TotalShow();
    expect(findings, !journal::firstBalanceCellRow(editor.grid()).has_value(),
           QStringLiteral("a balance cell is left after every one was settled"));
}

void checkSaveAndReload(Findings &findings, const journal::JournalGrid &grid)
{
    if (!journal::journalCommaCheck(grid).isEmpty())
        return;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString error = journal::writeJournalFile(buffer, grid, QStringLiteral("journal.csv"));
    if (!error.isEmpty()) {
        // Only a character CP932 cannot hold may stop the save of a journal
        // that passed the comma check.
        const QString rows = QStringLiteral("%1").arg(grid.journalRowCount());
        expect(findings, error.contains(QStringLiteral("Shift_JIS(CP932)で保存できない")),
               QStringLiteral("the journal of %1 rows could not be saved: %2").arg(rows, error));
        return;
    }
    const QByteArray bytes = buffer.data();
    expect(findings, !bytes.contains("\r\r") && (bytes.isEmpty() || bytes.endsWith("\r\n")),
           QStringLiteral("the journal file does not end its lines with CR LF"));

    // The grid's own headings in row 0 make the file CP932 to the reader ("日付"
    // is no UTF-8). A loaded file keeps its first line there instead, and one
    // whose saved lines happen to look like UTF-8 is taken for UTF-8 (the risk
    // of every CP932 file without a Japanese heading): its bytes must still be
    // CP932 throughout.
    const bool ownHeadings =
        std::equal(journal::kHeadings.begin(), journal::kHeadings.end(), grid.rowTexts(0).begin());
    const common::TextReadResult read = common::decodeTextBytes(
        bytes, ownHeadings ? common::TextEncoding::Cp932OrUtf8 : common::TextEncoding::Cp932,
        QStringLiteral("journal.csv"));
    if (!read.ok || read.wasUtf8) {
        findings.append(QStringLiteral("the saved journal does not read back as CP932: ") + read.error);
        return;
    }
    CardHistory history;
    history.lastLineIndex = static_cast<int>(read.lines.size()) - 1;
    history.lines = read.lines;
    history.lines.append(QString());
    expect(findings,
           !ownHeadings || import::recognizeCardKind(history.lines, history.lastLineIndex) == JournalFile,
           QStringLiteral("the saved journal is not recognised as a journal file"));

    // Loaded as the editor's start-up loads a journal file: into an initialised grid.
    static journal::JournalGrid reloaded;
    reloaded.initialise(journal::kMinimumRowTotal);
    journal::Fm2_JournalLoad(reloaded, history, QString());
    const int last = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    expect(findings, reloaded.journalRowCount() == std::max(last, 0),
           QStringLiteral("the saved journal of %1 rows reloads with %2")
               .arg(last)
               .arg(reloaded.journalRowCount()));
    for (int r = 0; r <= last && r < reloaded.rowTotal(); ++r) {
        if (reloaded.rowTexts(r) != viaCp932(grid.rowTexts(r))) {
            findings.append(
                QStringLiteral("row %1 reloads as \"%2\" instead of \"%3\"")
                    .arg(r)
                    .arg(journal::journalFileLine(reloaded, r), journal::journalFileLine(grid, r)));
            return;
        }
    }
}

} // namespace mokpe::fuzz
