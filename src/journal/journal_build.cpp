#include "journal/journal_build.h"

#include "common/decimal_text.h"
#include "common/vb_strings.h"
#include "journal/line_fields.h"
#include "journal/transit_line.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace mokpe::journal {

namespace {

using common::DecimalText;
using common::rtrim;
using common::toWholeNumber;

const QString kFullWidthSpace = QStringLiteral("　");

QString withoutFirstComma(QString s)
{
    const qsizetype comma = s.indexOf(QLatin1Char(','));
    if (comma >= 0)
        s.remove(comma, 1);
    return s;
}

class Builder {
public:
    Builder(JournalGrid &grid, const CardHistory &history, const QString &emoneyAccount,
            const QString &prefix, BookedLines booked)
        : grid_(grid), history_(history), emoney_(emoneyAccount), prefix_(prefix), booked_(booked)
    {}

    // False when `progress` was asked to stop.
    bool run(common::Progress &progress);

private:
    void transitLine(int row, const QString &line, bool oldest);
    // The amount of the row above `row` from the balance of the line below it.
    void priceNewerRow(int row, std::optional<qint64> balance);
    void edyLine(int row, const QString &line);
    bool undatedLine(int row, const QString &line);
    void setAmount(int row, QStringView amount)
    {
        const QString &text = shared(amount);
        grid_.setText(row, DebitAmountColumn, text);
        grid_.setText(row, CreditAmountColumn, text);
    }
    // Texts that many rows repeat (a day's date, a fare, a daily route) are
    // kept once and shared by those rows: a long history costs far less memory.
    // A text is looked up as it stands and copied only when it is new.
    const QString &shared(QStringView text)
    {
        if (const auto found = texts_.find(text); found != texts_.end())
            return *found;
        return *texts_.insert(text.toString()).first;
    }
    // A day's transactions follow one another: its date is the last one kept.
    const QString &sharedDate(QStringView date)
    {
        if (lastDate_ == nullptr || *lastDate_ != date)
            lastDate_ = &shared(date);
        return *lastDate_;
    }

    // The kept texts, found by any view of their characters. Hashing is the
    // most of a look-up: a plain FNV-1a over the UTF-16 units is enough for
    // texts no one chose to collide.
    struct TextHash {
        using is_transparent = void;
        size_t operator()(QStringView text) const
        {
            quint64 hash = 0xCBF29CE484222325ULL;
            for (const QChar c : text) {
                hash ^= c.unicode();
                hash *= 0x100000001B3ULL;
            }
            return static_cast<size_t>(hash);
        }
    };
    struct TextEqual {
        using is_transparent = void;
        bool operator()(QStringView a, QStringView b) const { return a == b; }
    };

    JournalGrid &grid_;
    const CardHistory &history_;
    const QString &emoney_;
    const QString &prefix_;
    const BookedLines booked_;
    TransitLayout layout_;
    std::unordered_set<QString, TextHash, TextEqual> texts_;
    // Elements of an unordered set stay where they are as it grows.
    const QString *lastDate_ = nullptr;
    // A row's summary as it is put together, before it is shared.
    QString summary_;
    // The balance of the previous (newer) transit line; unknown when that line
    // had none that reads as a number.
    std::optional<qint64> previousBalance_ = 0;
};

bool Builder::run(common::Progress &progress)
{
    const int last = std::min(history_.lastLineIndex, static_cast<int>(history_.lines.size()) - 1);
    const int kind = history_.cardKind;
    if (kind == TransitCard)
        layout_ = transitLayoutOf(history_);
    int lastDated = last;
    while (lastDated >= 0 && !isDatedLine(history_.lines.at(lastDated)))
        --lastDated;
    const bool transit = kind == TransitCard;

    // Every line writes at most one row: room for all of them, cut back after.
    grid_.setRowTotal(std::max(grid_.rowTotal(), last + 3));
    int row = 1;
    int datedSeen = 0;
    common::ProgressSteps steps(progress, last + 1);
    for (int k = 0; k <= last; ++k) {
        if (steps.stopAt(k))
            return false;
        const QString &line = history_.lines.at(k);
        bool wroteRow = false;
        if (isDatedLine(line)) {
            // A transaction booked from an earlier read builds no row; its
            // balance prices the new row above it.
            if (transit && booked_.contains(datedSeen++)) {
                if (row >= 2 && previousBalance_)
                    priceNewerRow(row, toWholeNumber(transitLineParts(line, layout_).balance));
                previousBalance_ = std::nullopt;
                continue;
            }
            grid_.setText(row, NumberColumn, DecimalText().of(row).toString());
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
    steps.finish();
    return true;
}

void Builder::transitLine(int row, const QString &line, bool oldest)
{
    const TransitLineView parts = transitLineView(line, layout_);
    // A line with a comma has its date before it.
    if (parts.date.size() != line.size())
        grid_.setText(row, DateColumn, sharedDate(parts.date));

    // Fields 1 to 6 without the first character of field 1, commas as spaces
    // and the spaces around them trimmed, then a full-width space and the remark.
    summary_.resize(0);
    summary_ += prefix_;
    if (parts.hasDescription) {
        QStringView fields =
            parts.descriptionFields.sliced(std::min<qsizetype>(1, parts.descriptionFields.size()));
        const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char(','); };
        while (!fields.isEmpty() && blank(fields.front()))
            fields = fields.sliced(1);
        while (!fields.isEmpty() && blank(fields.back()))
            fields.chop(1);
        const qsizetype start = summary_.size();
        summary_ += fields;
        QChar *const text = summary_.data();
        for (qsizetype i = start; i < summary_.size(); ++i) {
            if (text[i] == QLatin1Char(','))
                text[i] = QLatin1Char(' ');
        }
        summary_ += kFullWidthSpace;
        summary_ += parts.remark;
    }
    grid_.setText(row, SummaryColumn, shared(QStringView(summary_)));

    const std::optional<qint64> balance = toWholeNumber(parts.balance);
    priceNewerRow(row, balance);
    previousBalance_ = balance;

    if (!oldest)
        return;
    if (parts.amount) {
        const qint64 amount = *parts.amount;
        // A negative amount put money onto the card.
        if (amount < 0) {
            grid_.setText(row, DebitAccountColumn, emoney_);
        } else {
            grid_.setText(row, DebitAccountColumn, kTravelAccount);
            grid_.setText(row, CreditAccountColumn, emoney_);
        }
        DecimalText digits;
        setAmount(row, digits.of(amount));
        return;
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
    setAmount(row, parts.balance);
}

void Builder::priceNewerRow(int row, std::optional<qint64> balance)
{
    // The balance went from this (older) line to the newer one above it by the
    // newer transaction's amount: down for spending, up for a charge.
    if (row < 2 || !balance || !previousBalance_)
        return;
    const qint64 difference = *balance - *previousBalance_;
    if (difference < 0) {
        grid_.setText(row - 1, DebitAccountColumn, emoney_);
    } else {
        grid_.setText(row - 1, DebitAccountColumn, kTravelAccount);
        grid_.setText(row - 1, CreditAccountColumn, emoney_);
    }
    DecimalText digits;
    setAmount(row - 1, digits.of(difference));
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

    grid_.setText(row, NumberColumn, DecimalText().of(row).toString());
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

bool Fm2_JournalBuild(JournalGrid &grid, const CardHistory &history, const QString &emoneyAccount,
                      const QString &summaryPrefix, BookedLines booked, common::Progress &progress)
{
    BulkChange bulk(grid);
    return Builder(grid, history, emoneyAccount, summaryPrefix, booked).run(progress);
}

} // namespace mokpe::journal
