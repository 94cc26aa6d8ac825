#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The amounts of a journal: what the export writes into the accounting
// software's amount fields, what the report prints and what the settlement
// adds up.
namespace mokpe::common {

// A whole number of yen within 64 bits: ASCII digits with an optional leading
// "-", spaces (U+0020) around it allowed. Anything else is no amount: "1e9",
// "２１０", "0x10", "210.5", "1,000", "+5", an empty text.
std::optional<qint64> yenAmount(QStringView text);

// The amount as the files and the report write it: its digits without the
// spaces around them or leading zeros ("-0" is "0"). `text` itself when it is
// no amount (the checks before saving, exporting and printing name it first).
QString yenAmountText(const QString &text);

} // namespace mokpe::common
