#pragma once

#include "common/app_state.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The parts of one line of a transit card history, in either export of the
// card reader: the classic one (balance in field 7, the remark the rest of the
// line) and the newer one, whose heading names its columns and which carries
// every transaction's amount as well.
namespace mokpe::journal {

// A line whose first two characters are "20" (a year 20xx) is a transaction.
inline bool isDatedLine(QStringView line)
{
    return line.size() >= 2 && line[0] == u'2' && line[1] == u'0';
}

struct TransitLayout {
    qsizetype balanceField = 7;
    qsizetype remarkField = 8;
    bool remarkTakesTheRest = true;
    std::optional<qsizetype> amountField;
};

// The layout named by the heading line (the one with "利用年月日") before the
// first transaction; the classic layout when there is none or it names no
// "残額(円)" column.
TransitLayout transitLayoutOf(const CardHistory &history);

// How many description fields a transit line has: fields 1 to 6.
inline constexpr int kDescriptionFieldCount = 6;

struct TransitLineParts {
    // The text before the first comma; the whole line when it has none.
    QString date;
    // Fields 1 to 6 as written, joined by their commas; a field the line does
    // not reach is empty, so that the text always holds five commas.
    QString descriptionFields;
    // Trailing spaces removed; empty when the line does not reach it.
    QString balance;
    QString remark;
    // The newer export's own amount of the transaction, when it reads as a number.
    std::optional<qint64> amount;
    // The line reaches field 7: its description can be taken.
    bool hasDescription = false;
};

TransitLineParts transitLineParts(const QString &line, const TransitLayout &layout);

// The same parts as views into the line, which must outlive them: what the
// construction reads of every line of a long history without copying it.
struct TransitLineView {
    QStringView date;
    // Fields 1 to 6 with their commas when the line reaches field 7; else empty.
    QStringView descriptionFields;
    QStringView balance;
    QStringView remark;
    std::optional<qint64> amount;
    bool hasDescription = false;
};

TransitLineView transitLineView(QStringView line, const TransitLayout &layout);

} // namespace mokpe::journal
