#include "journal/unsettled_amount.h"

#include "common/vb_strings.h"

#include <algorithm>

namespace mokpe::journal {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(const QString &text)
{
    return std::all_of(text.begin(), text.end(), isAsciiDigit);
}

} // namespace

QString pendingCellCaption(int row, const QString &columnHeading, const QString &value)
{
    return QStringLiteral("%1行目「%2」　").arg(row).arg(columnHeading) + kBeforeAmountPrefix + value;
}

UnsettledAmountForm::UnsettledAmountForm(const QString &pendingValue)
    : pendingValue_(pendingValue), label1Caption_(kBeforeAmountPrefix + pendingValue)
{
    chooseDirect();
    text2.clear();
    label3.clear();
}

void UnsettledAmountForm::chooseDirect()
{
    mode_ = Mode::Direct;
    text1.clear();
}

void UnsettledAmountForm::chooseComputed()
{
    mode_ = Mode::Computed;
    // The balance is what the previous balance is compared with.
    text1 = pendingValue_;
    label1Caption_ = kPreviousBalanceCaption;
}

void UnsettledAmountForm::offerPreviousBalance(const QString &previousBalance)
{
    chooseComputed();
    text2 = previousBalance;
}

void UnsettledAmountForm::typeText1(const QString &text)
{
    if (text != text1)
        label3.clear();
    text1 = text;
}

void UnsettledAmountForm::typeText2(const QString &text)
{
    if (text != text2)
        label3.clear();
    text2 = text;
}

QString UnsettledAmountForm::frame1Caption() const
{
    return mode_ == Mode::Direct ? kDirectModeCaption : kComputedModeCaption;
}

QString UnsettledAmountForm::compute()
{
    if (text1.isEmpty() || text2.isEmpty())
        return kEnterAmountMessage;
    if (!allDigits(text1) || !allDigits(text2))
        return kDigitsOnlyMessage;
    // Digits only, but more of them than a whole number holds is no amount either.
    const std::optional<qint64> balance = common::toWholeNumber(text1);
    const std::optional<qint64> previous = common::toWholeNumber(text2);
    if (!balance || !previous)
        return kDigitsOnlyMessage;
    label3 = QString::number(*previous - *balance);
    return {};
}

QString UnsettledAmountForm::confirm(QString &value) const
{
    if (mode_ == Mode::Direct && !text1.isEmpty() && allDigits(text1)) {
        value = text1;
        return {};
    }
    if (mode_ == Mode::Computed && !label3.isEmpty()) {
        // Only the computed result may be negative: the previous balance was the lower one.
        const bool signsAndDigits = std::all_of(
            label3.begin(), label3.end(), [](QChar c) { return isAsciiDigit(c) || c == QLatin1Char('-'); });
        if (signsAndDigits && std::any_of(label3.begin(), label3.end(), isAsciiDigit)) {
            value = label3;
            return {};
        }
    }
    return kDigitsOnlyMessage;
}

} // namespace mokpe::journal
