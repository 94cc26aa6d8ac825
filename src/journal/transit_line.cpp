#include "journal/transit_line.h"

#include "common/vb_strings.h"
#include "journal/line_fields.h"

#include <algorithm>

namespace mokpe::journal {

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

TransitLineView transitLineView(QStringView line, const TransitLayout &layout)
{
    TransitLineView parts;
    const Commas commas = commasOf(line);
    parts.date = commas.isEmpty() ? line : line.first(commas[0]);
    parts.hasDescription = commas.size() > kDescriptionFieldCount;
    if (parts.hasDescription)
        parts.descriptionFields = line.sliced(commas[0] + 1, commas[kDescriptionFieldCount] - commas[0] - 1);
    if (const std::optional<QStringView> balance = field(line, commas, layout.balanceField))
        parts.balance = common::rtrim(*balance);
    const std::optional<QStringView> remark = layout.remarkTakesTheRest
                                                  ? restAfterComma(line, commas, layout.remarkField)
                                                  : field(line, commas, layout.remarkField);
    if (remark)
        parts.remark = common::rtrim(*remark);
    if (layout.amountField) {
        if (const std::optional<QStringView> amount = field(line, commas, *layout.amountField))
            parts.amount = common::toWholeNumber(*amount);
    }
    return parts;
}

TransitLineParts transitLineParts(const QString &line, const TransitLayout &layout)
{
    const TransitLineView view = transitLineView(line, layout);
    TransitLineParts parts;
    parts.date = view.date.toString();
    parts.hasDescription = view.hasDescription;
    if (parts.hasDescription) {
        parts.descriptionFields = view.descriptionFields.toString();
    } else {
        // A short line: the fields it has, then empty ones.
        const Commas commas = commasOf(line);
        QStringList description;
        for (int n = 1; n <= kDescriptionFieldCount; ++n)
            description.append(field(line, commas, n).value_or(QStringView()).toString());
        parts.descriptionFields = description.join(QLatin1Char(','));
    }
    parts.balance = view.balance.toString();
    parts.remark = view.remark.toString();
    parts.amount = view.amount;
    return parts;
}

} // namespace mokpe::journal
