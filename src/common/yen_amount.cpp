#include "common/yen_amount.h"

#include <limits>

namespace mokpe::common {

namespace {

QStringView withoutSurroundingSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == QLatin1Char(' '))
        text = text.mid(1);
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

// A plain amount: an optional "-", then at most 18 digits not starting with a
// zero ("0" alone aside), nothing around them. Almost every cell holds one, and
// its value cannot leave 64 bits: it is read at once.
std::optional<qint64> plainAmount(QStringView text)
{
    const char16_t *c = text.utf16();
    const char16_t *const end = c + text.size();
    const bool negative = c != end && *c == u'-';
    if (negative)
        ++c;
    const qsizetype digits = end - c;
    constexpr qsizetype kMostDigits = 18;
    if (digits < 1 || digits > kMostDigits || (*c == u'0' && (digits > 1 || negative)))
        return std::nullopt;
    qint64 value = 0;
    for (; c != end; ++c) {
        if (*c < u'0' || *c > u'9')
            return std::nullopt;
        value = value * 10 + (*c - u'0');
    }
    return negative ? -value : value;
}

} // namespace

std::optional<qint64> yenAmount(QStringView text)
{
    if (const std::optional<qint64> plain = plainAmount(text))
        return plain;
    QStringView digits = withoutSurroundingSpaces(text);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative)
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    // Counted towards the negative side, which holds one more than the positive.
    constexpr qint64 kLowest = std::numeric_limits<qint64>::min();
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const int digit = c.unicode() - '0';
        if (value < (kLowest + digit) / 10)
            return std::nullopt;
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kLowest)
            return std::nullopt;
        value = -value;
    }
    return value;
}

QString yenAmountText(const QString &text)
{
    // Most cells are written as they stand: no text is made for them.
    if (plainAmount(text))
        return text;
    const std::optional<qint64> value = yenAmount(text);
    if (!value)
        return text;
    const bool asWritten = !text.startsWith(QLatin1Char(' ')) && !text.endsWith(QLatin1Char(' ')) &&
                           !text.startsWith(QLatin1Char('0')) && !text.startsWith(QLatin1String("-0"));
    if (asWritten || text == QLatin1String("0"))
        return text;
    return QString::number(*value);
}

} // namespace mokpe::common
