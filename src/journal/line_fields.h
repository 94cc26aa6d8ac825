#pragma once

#include <QStringView>
#include <QVarLengthArray>

#include <optional>

// Comma-separated fields as the history layouts count them: no quoting, a comma
// always ends a field, field 0 is the text before the first comma.
namespace mokpe::journal {

// Positions (from 0) of every comma of a line.
using Commas = QVarLengthArray<qsizetype, 16>;

inline Commas commasOf(QStringView line)
{
    // A plain scan: every line of a long history passes here, and its fields
    // are short.
    Commas commas;
    const char16_t *chars = line.utf16();
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (chars[i] == u',')
            commas.append(i);
    }
    return commas;
}

// Field n lies between the n-th and the (n+1)-th comma; the last field runs to
// the end of the line. Absent when the line has fewer than n commas.
inline std::optional<QStringView> field(QStringView line, const Commas &commas, qsizetype n)
{
    if (n > commas.size())
        return std::nullopt;
    const qsizetype begin = n == 0 ? 0 : commas[n - 1] + 1;
    const qsizetype end = n < commas.size() ? commas[n] : line.size();
    return line.sliced(begin, end - begin);
}

// Everything after the n-th comma (n from 1), commas included.
inline std::optional<QStringView> restAfterComma(QStringView line, const Commas &commas, qsizetype n)
{
    if (n < 1 || n > commas.size())
        return std::nullopt;
    return line.sliced(commas[n - 1] + 1);
}

} // namespace mokpe::journal
