#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Text helpers with the semantics the file layouts are written in: positions
// count characters from 1, cuts past the end are shortened, trims remove only
// the space U+0020.
namespace mokpe::common {

// `length` characters from position `start` (1-based); all the rest when length < 0.
QString mid(const QString &s, qsizetype start, qsizetype length = -1);
QString left(const QString &s, qsizetype length);
QString right(const QString &s, qsizetype length);
// 1-based position of `needle` in `s` at or after `start`; 0 when absent.
// An empty needle is found at `start` (when start <= length + 1).
qsizetype instr(const QString &s, const QString &needle, qsizetype start = 1);
QString rtrim(const QString &s);
QString ltrim(const QString &s);
QString trim(const QString &s);
// The same cuts as views into the text, for code that reads many lines and
// keeps few of their pieces.
QStringView rtrim(QStringView s);
QStringView trim(QStringView s);

// A whole number from text: optional surrounding spaces, an optional sign,
// digits, an optional fraction that is rounded half to even. Anything else,
// an empty text included, is not a number.
std::optional<qint64> toWholeNumber(QStringView s);
bool isNumber(const QString &s);

} // namespace mokpe::common
