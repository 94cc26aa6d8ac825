#include "journal/settlement.h"

#include "common/yen_amount.h"

#include <algorithm>
#include <limits>

namespace mokpe::journal {

namespace {

// Whether the account names e-money ("電子ﾏﾈ" or "電子マネ" in it). Every
// Fm2_TotalShow asks this of every row: the names are found by their first
// character, which most accounts lack.
bool namesEmoney(QStringView account)
{
    const char16_t *const end = account.utf16() + account.size();
    for (const char16_t *at = account.utf16(); at != end; ++at) {
        if (*at != u'電')
            continue;
        const QStringView rest(at, end);
        if (rest.startsWith(u"電子ﾏﾈ") || rest.startsWith(u"電子マネ"))
            return true;
    }
    return false;
}

// Amounts are within 64 bits; their sums are not.
__extension__ using Sum = __int128;

// An amount cell as the sums see it: a whole number of yen, or nothing at all
// (the checks before saving, exporting and printing name such a cell).
Sum amountOf(const QString &cell)
{
    return common::yenAmount(cell).value_or(0);
}

QString decimalText(Sum value)
{
    if (value >= std::numeric_limits<qint64>::min() && value <= std::numeric_limits<qint64>::max())
        return QString::number(static_cast<qint64>(value));
    const bool negative = value < 0;
    QString digits;
    do {
        const int digit = static_cast<int>(value % 10);
        digits.prepend(QLatin1Char(static_cast<char>('0' + (negative ? -digit : digit))));
        value /= 10;
    } while (value != 0);
    return negative ? QLatin1Char('-') + digits : digits;
}

} // namespace

bool isChargeRow(const RowTexts &row, const QString &emoneyAccount)
{
    const QString &debitAccount = row[DebitAccountColumn];
    if (!emoneyAccount.isEmpty() && debitAccount.contains(emoneyAccount))
        return true;
    // The short account first: most rows are no charge, and the long summary
    // need not be searched for them.
    if (!namesEmoney(debitAccount))
        return false;
    const QString &summary = row[SummaryColumn];
    return summary.contains(QStringLiteral("ﾁｬｰｼﾞ")) || summary.contains(QStringLiteral("チャージ"));
}

QString TotalMoneyCount(const JournalGrid &grid, int rowBound, const QString &emoneyAccount)
{
    const int lastRow = std::min(rowBound + 1, grid.rowTotal() - 1);
    Sum charges = 0;
    Sum spending = 0;
    for (int r = 1; r <= lastRow; ++r) {
        const RowTexts &row = grid.rowTexts(r);
        if (isChargeRow(row, emoneyAccount))
            charges += amountOf(row[CreditAmountColumn]);
        else
            spending += amountOf(row[DebitAmountColumn]);
    }
    return decimalText(charges - spending);
}

QString Fm2_ThousandsFormat(const QString &number)
{
    const qsizetype n = number.size();
    QString reversed;
    reversed.reserve(n + n / 3);
    for (qsizetype k = 0; k < n; ++k) {
        const qsizetype pos = n - 1 - k;
        reversed.append(number.at(pos));
        const bool groupEnds = k % 3 == 2;
        if (groupEnds && pos > 0 && number.at(pos - 1) != QLatin1Char('-') &&
            number.at(pos - 1) != QLatin1Char('+'))
            reversed.append(QLatin1Char(','));
    }
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

QString settlementLabelFor(const JournalGrid &grid, const QString &emoneyAccount)
{
    return kSettlementLabelPrefix +
           Fm2_ThousandsFormat(TotalMoneyCount(grid, grid.journalRowCount() - 1, emoneyAccount));
}

QList<CellPosition> balanceCells(const JournalGrid &grid)
{
    QList<CellPosition> cells;
    const int lastRow = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    for (int r = 1; r <= lastRow; ++r) {
        for (const int c : {DebitAmountColumn, CreditAmountColumn}) {
            if (grid.colour(r, c) == CellColour::Balance)
                cells.append({r, c});
        }
    }
    return cells;
}

std::optional<int> firstBalanceCellRow(const JournalGrid &grid)
{
    const int lastRow = std::min(grid.journalRowCount(), grid.rowTotal() - 1);
    for (int r = 1; r <= lastRow; ++r) {
        if (grid.colour(r, DebitAmountColumn) == CellColour::Balance ||
            grid.colour(r, CreditAmountColumn) == CellColour::Balance)
            return r;
    }
    return std::nullopt;
}

} // namespace mokpe::journal
