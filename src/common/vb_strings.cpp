#include "common/vb_strings.h"

namespace mokpe::common {

QString mid(const QString &s, qsizetype start, qsizetype length)
{
    if (start < 1)
        start = 1;
    if (start > s.size())
        return {};
    return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

QString left(const QString &s, qsizetype length)
{
    return length <= 0 ? QString() : s.left(length);
}

QString right(const QString &s, qsizetype length)
{
    return length <= 0 ? QString() : s.right(length);
}

qsizetype instr(const QString &s, const QString &needle, qsizetype start)
{
    if (start < 1)
        start = 1;
    if (start > s.size() + 1)
        return 0;
    const qsizetype at = s.indexOf(needle, start - 1, Qt::CaseSensitive);
    return at < 0 ? 0 : at + 1;
}

QStringView rtrim(QStringView s)
{
    while (!s.isEmpty() && s.back() == QLatin1Char(' '))
        s.chop(1);
    return s;
}

QStringView trim(QStringView s)
{
    s = rtrim(s);
    while (!s.isEmpty() && s.front() == QLatin1Char(' '))
        s = s.sliced(1);
    return s;
}

QString rtrim(const QString &s)
{
    // Whole, the text is shared rather than copied.
    return s.left(rtrim(QStringView(s)).size());
}

QString ltrim(const QString &s)
{
    qsizetype begin = 0;
    while (begin < s.size() && s.at(begin) == QLatin1Char(' '))
        ++begin;
    return s.mid(begin);
}

QString trim(const QString &s)
{
    return ltrim(rtrim(s));
}

std::optional<qint64> toWholeNumber(QStringView s)
{
    // Most amounts are a few digits and nothing else: read at once.
    constexpr qsizetype kPlainDigits = 18;
    if (!s.isEmpty() && s.size() <= kPlainDigits) {
        qint64 plain = 0;
        const char16_t *const end = s.utf16() + s.size();
        const char16_t *c = s.utf16();
        for (; c != end && *c >= u'0' && *c <= u'9'; ++c)
            plain = plain * 10 + (*c - u'0');
        if (c == end)
            return plain;
    }
    // The cell itself, without the spaces around it: the sums read every
    // amount cell of a journal, so nothing is copied.
    const QStringView t = trim(s);
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    qsizetype digits = 0;
    constexpr qint64 limit = 999'999'999'999'999'999LL;
    for (; i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9'); ++i, ++digits) {
        if (whole > limit / 10)
            return std::nullopt;
        whole = whole * 10 + (t.at(i).unicode() - u'0');
    }
    // Half to even needs the first fraction digit, whether any later digit is
    // non-zero, and the parity of the whole part.
    int firstFraction = -1;
    bool restNonZero = false;
    qsizetype fractionDigits = 0;
    if (i < t.size() && t.at(i) == QLatin1Char('.')) {
        ++i;
        for (; i < t.size() && t.at(i) >= QLatin1Char('0') && t.at(i) <= QLatin1Char('9');
             ++i, ++fractionDigits) {
            const int d = t.at(i).unicode() - u'0';
            if (firstFraction < 0)
                firstFraction = d;
            else if (d != 0)
                restNonZero = true;
        }
    }
    if (i != t.size() || digits + fractionDigits == 0)
        return std::nullopt;
    if (firstFraction > 5 || (firstFraction == 5 && (restNonZero || (whole % 2) == 1)))
        ++whole;
    return negative ? -whole : whole;
}

bool isNumber(const QString &s)
{
    return toWholeNumber(s).has_value();
}

} // namespace mokpe::common
