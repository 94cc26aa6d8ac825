#include "journal/journal_build.h"

#include "common/vb_strings.h"

#include <QVarLengthArray>

#include <algorithm>
#include <optional>

namespace mokpe::journal {

namespace {

using common::rtrim;
using common::toWholeNumber;

const QString kFullWidthSpace = QStringLiteral("　");

// Positions (from 0) of every comma of a line.
using Commas = QVarLengthArray<qsizetype, 16>;

Commas commasOf(QStringView line)
{
    Commas commas;
    for (qsizetype i = line.indexOf(QLatin1Char(',')); i >= 0; i = line.indexOf(QLatin1Char(','), i + 1))
        commas.append(i);
    return commas;
}

// Field n lies between the n-th and the (n+1)-th comma; the last field runs to
// the end of the line. Absent when the line has fewer than n commas.
std::optional<QStringView> field(QStringView line, const Commas &commas, qsizetype n)
{
    if (n > commas.size())
        return std::nullopt;
    const qsizetype begin = n == 0 ? 0 : commas[n - 1] + 1;
    const qsizetype end = n < commas.size() ? commas[n] : line.size();
    return line.sliced(begin, end - begin);
}

// Everything after the n-th comma (n from 1), commas included.
std::optional<QStringView> restAfterComma(QStringView line, const Commas &commas, qsizetype n)
{
    if (n < 1 || n > commas.size())
        return std::nullopt;
    return line.sliced(commas[n - 1] + 1);
}

QString withoutFirstComma(QString s)
{
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0)
        s.remove(comma, 1);
    return s;
}

bool isDated(const QString &line)
{
    return line.startsWith(QLatin1String("20"));
}

// Where the parts of a transit line are found. The card reader's classic export
// has the balance in field 7 and the remark in the rest of the line; its newer
// export names its columns in the heading, with the amount of every transaction
// as well.
struct TransitLayout {
    qsizetype balanceField = 7;
    qsizetype remarkField = 8;
    bool remarkTakesTheRest = true;
    std::optional<qsizetype> amountField;
};

TransitLayout transitLayoutOf(const CardHistory &history)
{
    TransitLayout layout;
    for (int k = 0; k <= history.lastLineIndex && k < history.lines.size(); ++k) {
        const QString &line = history.lines.at(k);
        if (isDated(line))
            break;
        if (!line.contains(QStringLiteral("利用年月日")))
            continue;
        const QStringList headings = line.split(QLatin1Char(','));
        const auto indexOf = [&headings](const QString &heading) -> std::optional<qsizetype> {
            for (qsizetype i = 0; i < headings.size(); ++i) {
                if (common::trim(headings.at(i)) == heading)
                    return i;
            }
            return std::nullopt;
        };
        const std::optional<qsizetype> balance = indexOf(QStringLiteral("残額(円)"));
        if (!balance)
            return layout;
        layout.balanceField = *balance;
        layout.amountField = indexOf(QStringLiteral("利用額(円)"));
        const std::optional<qsizetype> remark = indexOf(QStringLiteral("メモ"));
        layout.remarkField = remark.value_or(headings.size());
        layout.remarkTakesTheRest = !remark || *remark == headings.size() - 1;
        return layout;
    }
    return layout;
}

class Builder {
public:
    Builder(JournalGrid &grid, const CardHistory &history, const QString &emoneyAccount,
            const QString &prefix)
        : grid_(grid), history_(history), emoney_(emoneyAccount), prefix_(prefix)
    {}

    void run();

private:
    void transitLine(int row, const QString &line, bool oldest);
    void edyLine(int row, const QString &line);
    bool undatedLine(int row, const QString &line);
    void setAmount(int row, const QString &amount)
    {
        grid_.setText(row, DebitAmountColumn, amount);
        grid_.setText(row, CreditAmountColumn, amount);
    }

    JournalGrid &grid_;
    const CardHistory &history_;
    const QString &emoney_;
    const QString &prefix_;
    TransitLayout layout_;
    // The balance of the previous (newer) transit line; unknown when that line
    // had none that reads as a number.
    std::optional<qint64> previousBalance_ = 0;
};

void Builder::run()
{
    const int last = std::min(history_.lastLineIndex, static_cast<int>(history_.lines.size()) - 1);
    const int kind = history_.cardKind;
    if (kind == TransitCard)
        layout_ = transitLayoutOf(history_);
    int lastDated = -1;
    for (int k = last; k >= 0 && lastDated < 0; --k) {
        if (isDated(history_.lines.at(k)))
            lastDated = k;
    }

    // Every line writes at most one row: room for all of them, cut back after.
    grid_.setRowTotal(std::max(grid_.rowTotal(), last + 3));
    int row = 1;
    for (int k = 0; k <= last; ++k) {
        const QString &line = history_.lines.at(k);
        bool wroteRow = false;
        if (isDated(line)) {
            grid_.setText(row, NumberColumn, QString::number(row));
            if (kind == TransitCard) {
                transitLine(row, line, k == lastDated);
                wroteRow = true;
            } else if (kind == Edy) {
                edyLine(row, line);
                wroteRow = true;
            }
            // A dated line of a Money report leaves only its number, which the
            // next row overwrites.
        } else {
            wroteRow = undatedLine(row, line);
        }
        if (wroteRow)
            ++row;
    }

    const int count = row - 1;
    grid_.setRowTotal(row);
    grid_.setRowTotal(std::max(kMinimumRowTotal, count + 1));
    grid_.setJournalRowCount(count);
    grid_.setCurrent({1, 1});
}

void Builder::transitLine(int row, const QString &line, bool oldest)
{
    const Commas commas = commasOf(line);
    if (!commas.isEmpty())
        grid_.setText(row, DateColumn, line.left(commas[0]));

    const std::optional<QStringView> balanceField = field(line, commas, layout_.balanceField);
    const QString balanceText = balanceField ? rtrim(balanceField->toString()) : QString();
    const std::optional<qint64> balance = toWholeNumber(balanceText);

    // Fields 1 to 6 without the first character of field 1, commas as spaces.
    QString description;
    if (commas.size() >= 7) {
        description = line.mid(commas[0] + 2, commas[6] - commas[0] - 2);
        description.replace(QLatin1Char(','), QLatin1Char(' '));
        description = common::trim(description);
        std::optional<QStringView> remark = layout_.remarkTakesTheRest
                                                ? restAfterComma(line, commas, layout_.remarkField)
                                                : field(line, commas, layout_.remarkField);
        description += kFullWidthSpace + (remark ? rtrim(remark->toString()) : QString());
    }
    grid_.setText(row, SummaryColumn, prefix_ + description);

    // The balance went from this (older) line to the newer one above it by the
    // newer transaction's amount: down for spending, up for a charge.
    if (row >= 2 && balance && previousBalance_) {
        const qint64 difference = *balance - *previousBalance_;
        if (difference < 0) {
            grid_.setText(row - 1, DebitAccountColumn, emoney_);
        } else {
            grid_.setText(row - 1, DebitAccountColumn, kTravelAccount);
            grid_.setText(row - 1, CreditAccountColumn, emoney_);
        }
        setAmount(row - 1, QString::number(difference < 0 ? -difference : difference));
    }
    previousBalance_ = balance;

    if (!oldest)
        return;
    if (layout_.amountField) {
        const std::optional<QStringView> amountField = field(line, commas, *layout_.amountField);
        if (const std::optional<qint64> amount =
                amountField ? toWholeNumber(amountField->toString()) : std::nullopt) {
            // A negative amount put money onto the card.
            if (*amount < 0) {
                grid_.setText(row, DebitAccountColumn, emoney_);
            } else {
                grid_.setText(row, DebitAccountColumn, kTravelAccount);
                grid_.setText(row, CreditAccountColumn, emoney_);
            }
            setAmount(row, QString::number(*amount < 0 ? -*amount : *amount));
            return;
        }
    }
    // Nothing older tells this transaction's amount: the row holds the card
    // balance until the user settles it. A cash charge needs no settling.
    if (line.contains(QStringLiteral("現金")) || line.contains(QStringLiteral("ﾁｬｰｼﾞ"))) {
        grid_.setText(row, DebitAccountColumn, emoney_);
    } else {
        grid_.setText(row, DebitAccountColumn, kTravelAccount);
        grid_.setText(row, CreditAccountColumn, emoney_);
        grid_.setColour(row, DebitAmountColumn, CellColour::Balance);
        grid_.setColour(row, CreditAmountColumn, CellColour::Balance);
    }
    setAmount(row, balanceText);
}

void Builder::edyLine(int row, const QString &line)
{
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    if (space >= 0)
        grid_.setText(row, DateColumn, line.left(space));
    // Positions count from 1 here, as the Edy layout is given.
    const qsizetype yen = common::instr(line, QStringLiteral("\\"));
    if (yen == 0)
        return;
    // A payment's amount field starts at position 28, after the yen sign of a
    // charge; the 10-character window keeps one thousands separator at most.
    constexpr qsizetype kPaymentField = 28;
    if (yen >= kPaymentField) {
        grid_.setText(row, CreditAccountColumn, emoney_);
        const QString s = withoutFirstComma(common::mid(line, kPaymentField, 10));
        const qsizetype sign = s.indexOf(QLatin1Char('\\'));
        if (sign >= 0)
            setAmount(row, rtrim(s.mid(sign + 1)));
    } else {
        grid_.setText(row, DebitAccountColumn, emoney_);
        grid_.setText(row, SummaryColumn, prefix_ + kEdyChargeSummary);
        setAmount(row, rtrim(withoutFirstComma(common::mid(line, yen + 1, 10))));
    }
}

bool Builder::undatedLine(int row, const QString &line)
{
    const Commas commas = commasOf(line);
    if (commas.size() < 2)
        return false;
    // A data line of a Money report has its date, written with "/", in field 1.
    const qsizetype fieldOneLength = commas[1] - commas[0] - 1;
    if (common::instr(common::mid(line, 2, fieldOneLength), QStringLiteral("/"), 2) == 0)
        return false;

    grid_.setText(row, NumberColumn, QString::number(row));
    grid_.setText(row, DateColumn, field(line, commas, 1)->toString());
    const QString payee = field(line, commas, 2).value_or(QStringView()).toString();
    const QString memo = field(line, commas, 3).value_or(QStringView()).toString();
    if (payee.isEmpty()) {
        grid_.setText(row, SummaryColumn, prefix_ + memo);
    } else if (line.contains(QStringLiteral("資産")) || line.contains(QStringLiteral("給料")) ||
               line.contains(QStringLiteral("賃金"))) {
        grid_.setText(row, DebitAccountColumn, payee);
        grid_.setText(row, SummaryColumn, prefix_ + memo);
    } else if (line.contains(QStringLiteral("現金")) || line.contains(QStringLiteral("電子マネ"))) {
        grid_.setText(row, CreditAccountColumn, payee);
        grid_.setText(row, SummaryColumn, prefix_ + memo);
    } else {
        grid_.setText(row, SummaryColumn, prefix_ + payee);
    }

    const std::optional<QStringView> rest = restAfterComma(line, commas, 4);
    if (const std::optional<qint64> amount = rest ? toWholeNumber(rest->toString()) : std::nullopt)
        setAmount(row, QString::number(*amount < 0 ? -*amount : *amount));
    return true;
}

} // namespace

void Fm2_JournalBuild(JournalGrid &grid, const CardHistory &history, const QString &emoneyAccount,
                      const QString &summaryPrefix)
{
    BulkChange bulk(grid);
    Builder(grid, history, emoneyAccount, summaryPrefix).run();
}

} // namespace mokpe::journal
