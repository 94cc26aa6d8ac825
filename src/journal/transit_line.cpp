#include "journal/transit_line.h"

#include "common/vb_strings.h"
#include "journal/line_fields.h"

#include <algorithm>

namespace mokpe::journal {

bool isDatedLine(const QString &line)
{
    return line.startsWith(QLatin1String("20"));
}

TransitLayout transitLayoutOf(const CardHistory &history)
{
    TransitLayout layout;
    for (int k = 0; k <= history.lastLineIndex && k < history.lines.size(); ++k) {
        const QString &line = history.lines.at(k);
        if (isDatedLine(line))
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

TransitLineParts transitLineParts(const QString &line, const TransitLayout &layout)
{
    TransitLineParts parts;
    const Commas commas = commasOf(line);
    parts.date = commas.isEmpty() ? line : line.left(commas[0]);

    parts.hasDescription = commas.size() > kDescriptionFieldCount;
    if (parts.hasDescription) {
        parts.descriptionFields = line.mid(commas[0] + 1, commas[kDescriptionFieldCount] - commas[0] - 1);
    } else {
        // A short line: the fields it has, then empty ones.
        QStringList description;
        for (int n = 1; n <= kDescriptionFieldCount; ++n)
            description.append(field(line, commas, n).value_or(QStringView()).toString());
        parts.descriptionFields = description.join(QLatin1Char(','));
    }

    if (const std::optional<QStringView> balance = field(line, commas, layout.balanceField))
        parts.balance = common::rtrim(balance->toString());
    const std::optional<QStringView> remark = layout.remarkTakesTheRest
                                                  ? restAfterComma(line, commas, layout.remarkField)
                                                  : field(line, commas, layout.remarkField);
    if (remark)
        parts.remark = common::rtrim(remark->toString());
    if (layout.amountField) {
        if (const std::optional<QStringView> amount = field(line, commas, *layout.amountField))
            parts.amount = common::toWholeNumber(amount->toString());
    }
    return parts;
}

} // namespace mokpe::journal
