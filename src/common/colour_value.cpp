#include "common/colour_value.h"

#include "common/vb_strings.h"

namespace mokpe::common {

std::optional<qint32> parseColourValue(const QString &text)
{
    const QString t = trim(text);
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = t.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        if (digits.isEmpty() || digits.size() > 8)
            return std::nullopt;
        bool ok = false;
        const quint32 v = digits.toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        return static_cast<qint32>(v);
    }
    const std::optional<qint64> n = toWholeNumber(t);
    if (!n || *n < INT32_MIN || *n > INT32_MAX)
        return std::nullopt;
    return static_cast<qint32>(*n);
}

QString formatColourHex(qint32 value)
{
    return QStringLiteral("&H") + QString::number(static_cast<quint32>(value), 16).toUpper();
}

QColor colourFromValue(qint32 value, const QPalette &palette)
{
    const auto v = static_cast<quint32>(value);
    if (v & 0x80000000U) {
        switch (v & 0xFFU) {
        case 5:
            return palette.color(QPalette::Base); // window background
        case 8:
            return palette.color(QPalette::WindowText); // window text
        case 13:
            return palette.color(QPalette::Highlight);
        case 14:
            return palette.color(QPalette::HighlightedText);
        case 18:
            return palette.color(QPalette::ButtonText);
        case 15: // button face
        default:
            return palette.color(QPalette::Button);
        }
    }
    return QColor(static_cast<int>(v & 0xFFU), static_cast<int>((v >> 8) & 0xFFU),
                  static_cast<int>((v >> 16) & 0xFFU));
}

QColor colourFromText(const QString &text, const QPalette &palette)
{
    return colourFromValue(parseColourValue(text).value_or(kStandardFaceColour), palette);
}

} // namespace mokpe::common
