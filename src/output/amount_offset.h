#pragma once

#include <QString>

namespace mokpe::output {

// How far right of its base a number of this many characters starts, so that
// numbers of one to nine digits written with thousands separators end near the
// same place: lengths 1, 2, 3, 5, 6, 7, 9, 10 and 11 have an offset, every other
// length 0.
double Fm2_AmountOffset(const QString &text);
// Whether the table has an entry for this length.
bool amountOffsetCovers(qsizetype length);

} // namespace mokpe::output
