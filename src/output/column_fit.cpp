#include "output/column_fit.h"

#include "output/amount_offset.h"

#include <algorithm>

namespace mokpe::output {

namespace {

const QString kEllipsis = QStringLiteral("…");

// Room for the text between the padded edges.
double innerWidth(ColumnSpan column)
{
    return column.right - column.left - 2 * kColumnPadding;
}

// The longest length below `length` that the offset table covers; 0 if none.
qsizetype coveredLengthBelow(qsizetype length)
{
    for (qsizetype shorter = length - 1; shorter > 0; --shorter) {
        if (amountOffsetCovers(shorter))
            return shorter;
    }
    return 0;
}

} // namespace

PlacedText placeNumber(const QString &number, double base, ColumnSpan column, double pointSize,
                       const ReportFontMetrics &metrics)
{
    const qsizetype length = number.size();
    if (length == 0 || amountOffsetCovers(length))
        return {number, base + Fm2_AmountOffset(number), pointSize};

    const double width = metrics.width(number, pointSize);
    const double room = innerWidth(column);
    if (width > room)
        return {number, column.left + kColumnPadding, pointSize * room / width};

    const qsizetype shorter = coveredLengthBelow(length);
    double x = column.left + kColumnPadding;
    if (shorter > 0) {
        const QString tail = number.right(shorter);
        const double end = base + Fm2_AmountOffset(tail) + metrics.width(tail, pointSize);
        x = end - width;
    }
    x = std::clamp(x, column.left + kColumnPadding, column.right - kColumnPadding - width);
    return {number, x, pointSize};
}

PlacedText fitToColumn(const QString &text, double x, ColumnSpan column, double pointSize,
                       double smallestPointSize, const ReportFontMetrics &metrics)
{
    const double room = column.right - kColumnPadding - x;
    const double width = metrics.width(text, pointSize);
    if (width <= room)
        return {text, x, pointSize};

    const double fitting = pointSize * room / width;
    if (fitting >= smallestPointSize)
        return {text, x, fitting};

    // Widths grow with every character, so the longest prefix that fits with
    // the ellipsis is found by halving.
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.width(text.left(mid) + kEllipsis, smallestPointSize) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    return {text.left(low) + kEllipsis, x, smallestPointSize};
}

} // namespace mokpe::output
