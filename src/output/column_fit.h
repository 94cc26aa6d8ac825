#pragma once

#include "output/report_font.h"

#include <QString>

// Keeping a text of the report inside its table column: where a number stands
// when the offset table has no entry for its length, and what becomes of a
// text wider than its column.
namespace mokpe::output {

// The left and right edges of a table column, in millimetres.
struct ColumnSpan {
    double left = 0;
    double right = 0;
};

// The gap a moved or shrunk text keeps from the cell's outline: the outline's
// width, so that the text never touches the line.
inline constexpr double kColumnPadding = 0.2;

struct PlacedText {
    QString text;
    double x = 0;
    double pointSize = 0;
    friend bool operator==(const PlacedText &, const PlacedText &) = default;
};

// A number whose start is `base` + Fm2_AmountOffset. Lengths the table covers
// keep its offset exactly. Any other length ends where the table's entry for
// the next shorter length would end with the same last characters: "-123"
// ends with "123", "1,234,567,890" with "234,567,890". Such a number never
// leaves its column: it is moved inside, and set smaller when it is wider than
// the column.
PlacedText placeNumber(const QString &number, double base, ColumnSpan column, double pointSize,
                       const ReportFontMetrics &metrics);

// A text that starts at `x` and must end inside the column. Too wide, it is
// set smaller, down to `smallestPointSize`; what is still too wide at that
// size is cut and ends with "…".
PlacedText fitToColumn(const QString &text, double x, ColumnSpan column, double pointSize,
                       double smallestPointSize, const ReportFontMetrics &metrics);

} // namespace mokpe::output
