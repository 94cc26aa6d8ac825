#include "output/export_texts.h"

#include "common/vb_strings.h"

namespace mokpe::output {

QString Fm3_ZenPad(const QString &s, int width)
{
    if (s.size() >= width)
        return s.left(width);
    return s + QString(width - s.size(), kFullWidthSpace);
}

std::optional<QString> Fm3_ZenNumber(const QString &rate)
{
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (rate.isEmpty() || !isDigit(rate.front()))
        return std::nullopt;
    QString result;
    for (const QChar c : rate) {
        if (isDigit(c))
            result.append(QChar(0xFF10 + (c.unicode() - u'0')));
    }
    return result;
}

QString twoDigitText(const QString &s)
{
    if (s.isEmpty())
        return s;
    const std::optional<qint64> n = common::toWholeNumber(s);
    if (!n)
        return s;
    if (*n < 0)
        return QStringLiteral("-%1").arg(-*n, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1").arg(*n, 2, 10, QLatin1Char('0'));
}

QString eightDigitDate(const DateBoxes &date)
{
    return date.year + twoDigitText(date.month) + twoDigitText(date.day);
}

PaddedCompanyCode padCompanyCode(const QString &code)
{
    if (code.size() > 4)
        return {code, true};
    return {QString(4 - code.size(), QLatin1Char('0')) + code, false};
}

QString dateStamp(QDate today)
{
    return today.toString(QStringLiteral("yyMMdd"));
}

QString defaultExportFileName(int format, const QString &stamp, const QString &sourceName,
                              const QString &companyCode)
{
    switch (format) {
    case SuitouFormat:
        return stamp + QStringLiteral("出納帳") + sourceName;
    case KaikeiFormat:
        return stamp + QStringLiteral("会計") + sourceName;
    case FuurinFormat3:
    case FuurinFormat4:
        return companyCode + QStringLiteral("KAI.CSV");
    default:
        return {};
    }
}

} // namespace mokpe::output
