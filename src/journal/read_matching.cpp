#include "journal/read_matching.h"

#include <QDate>
#include <QHash>

#include <algorithm>

namespace mokpe::journal {

namespace {

// What makes two lines the same transaction, viewed in place.
struct LineKey {
    QStringView date;
    QStringView fields;
    QStringView balance;
    friend bool operator==(const LineKey &, const LineKey &) = default;
};

size_t qHash(const LineKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.date, key.fields, key.balance);
}

LineKey keyOf(const ReadLine &line)
{
    return {line.date, line.descriptionFields, line.balance};
}

constexpr int kUnknownLine = -1;

// Every line as a number: equal lines, equal numbers. A new line that no stored
// line equals gets kUnknownLine, which equals nothing stored.
struct LineIds {
    std::vector<int> fresh;
    std::vector<int> stored;
};

LineIds lineIds(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored)
{
    LineIds ids;
    QHash<LineKey, int> known;
    known.reserve(static_cast<qsizetype>(stored.size()));
    ids.stored.reserve(stored.size());
    for (const ReadLine &line : stored) {
        const LineKey key = keyOf(line);
        int id = known.value(key, kUnknownLine);
        if (id == kUnknownLine) {
            id = static_cast<int>(known.size());
            known.insert(key, id);
        }
        ids.stored.push_back(id);
    }
    ids.fresh.reserve(fresh.size());
    for (const ReadLine &line : fresh)
        ids.fresh.push_back(known.value(keyOf(line), kUnknownLine));
    return ids;
}

// For each prefix of `pattern`, the length of its longest proper prefix that is
// also its suffix (the failure links of a Knuth-Morris-Pratt search).
std::vector<size_t> borders(const std::vector<int> &pattern)
{
    std::vector<size_t> border(pattern.size(), 0);
    size_t q = 0;
    for (size_t i = 1; i < pattern.size(); ++i) {
        while (q > 0 && pattern[i] != pattern[q])
            q = border[q - 1];
        if (pattern[i] == pattern[q])
            ++q;
        border[i] = q;
    }
    return border;
}

// The state of a search for `pattern` after reading `text`: how long a prefix
// of the pattern the text ends with (the whole pattern may have been passed),
// whether the whole pattern occurred in it, and the longest prefix of the
// pattern that occurred anywhere in it.
struct SearchEnd {
    size_t endsWith = 0;
    bool found = false;
    // Where in the text the first whole occurrence begins.
    size_t firstFound = 0;
    size_t longest = 0;
};

SearchEnd searchFor(const std::vector<int> &pattern, const std::vector<int> &text)
{
    SearchEnd end;
    if (pattern.empty())
        return end;
    const std::vector<size_t> border = borders(pattern);
    size_t q = 0;
    for (size_t j = 0; j < text.size(); ++j) {
        const int c = text[j];
        if (q == pattern.size())
            q = border[q - 1];
        while (q > 0 && pattern[q] != c)
            q = border[q - 1];
        if (pattern[q] == c)
            ++q;
        end.longest = std::max(end.longest, q);
        if (q == pattern.size() && !end.found) {
            end.found = true;
            end.firstFound = j + 1 - q;
        }
    }
    end.endsWith = q;
    return end;
}

// The new lines' ids up to the first one the store does not hold, at most as
// many as the store has: only they can be a run of stored lines.
std::vector<int> knownNewestIds(const std::vector<int> &fresh, size_t storedSize)
{
    std::vector<int> ids;
    for (size_t i = 0; i < fresh.size() && i < storedSize && fresh[i] != kUnknownLine; ++i)
        ids.push_back(fresh[i]);
    return ids;
}

// A history's date ("2024/05/03", "2024-5-3", a time after it allowed).
std::optional<QDate> dateOf(const QString &text)
{
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 0x80) {
            parts[part] = parts[part] * 10 + (c.unicode() - '0');
            if (++digits > 4)
                return std::nullopt;
        } else if ((c == QLatin1Char('/') || c == QLatin1Char('-')) && part < 2 && digits > 0) {
            ++part;
            digits = 0;
        } else {
            break;
        }
    }
    if (part != 2 || digits == 0)
        return std::nullopt;
    const QDate date(parts[0], parts[1], parts[2]);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// Whether `later` is a later day than `earlier`; unknown when either is no date.
std::optional<bool> isLaterDay(const QString &later, const QString &earlier)
{
    const std::optional<QDate> a = dateOf(later);
    const std::optional<QDate> b = dateOf(earlier);
    if (!a || !b)
        return std::nullopt;
    return *a > *b;
}

} // namespace

ReadMatch matchReads(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored)
{
    ReadMatch match;
    if (fresh.empty() || stored.empty())
        return match;
    const LineIds ids = lineIds(fresh, stored);

    const bool allKnown = std::find(ids.fresh.begin(), ids.fresh.end(), kUnknownLine) == ids.fresh.end();
    if (allKnown && fresh.size() <= stored.size() && searchFor(ids.fresh, ids.stored).found) {
        match.matched = static_cast<int>(fresh.size());
        match.whollyInside = true;
        return match;
    }
    // The stored lines read as a pattern through the new ones: where the new
    // history ends, the search stands at the longest run of stored newest lines
    // that the new history ends with. The store keeps only the newest lines: a
    // history longer than the store holds all of it, and what lies below it
    // was cut from the store, booked before.
    const SearchEnd meeting = searchFor(ids.stored, ids.fresh);
    match.matched = static_cast<int>(meeting.found ? fresh.size() - meeting.firstFound : meeting.endsWith);
    if (match.matched > 0)
        return match;
    // An older read brought in late: its newest lines were read before, in
    // whatever part of the store they lie.
    const size_t held = searchFor(knownNewestIds(ids.fresh, stored.size()), ids.stored).longest;
    if (held > 0 || isLaterDay(stored.front().date, fresh.front().date).value_or(false)) {
        match.olderRead = true;
        match.matched = static_cast<int>(held);
        return match;
    }
    if (isLaterDay(fresh.back().date, stored.front().date).value_or(false))
        match.gap = ReadGap{stored.front().date, fresh.back().date};
    return match;
}

namespace {

// An older read's lines the store did not hold, below the newest `above`
// stored lines, which they continue; the rest of the store below them, less
// the lines where the two meet.
std::vector<ReadLine> olderReadInStore(const std::vector<ReadLine> &fresh,
                                       const std::vector<ReadLine> &stored, int held, size_t above)
{
    std::vector<ReadLine> lines(stored.begin(), stored.begin() + static_cast<qsizetype>(above));
    const std::vector<ReadLine> older(fresh.begin() + held, fresh.end());
    const std::vector<ReadLine> below(stored.begin() + static_cast<qsizetype>(above), stored.end());
    const ReadMatch meeting = matchReads(older, below);
    if (!meeting.whollyInside)
        lines.insert(lines.end(), older.begin(), older.end());
    const int continued = meeting.whollyInside || meeting.olderRead ? 0 : meeting.matched;
    lines.insert(lines.end(), below.begin() + continued, below.end());
    if (lines.size() > static_cast<size_t>(kReadStoreLimit))
        lines.resize(static_cast<size_t>(kReadStoreLimit));
    return lines;
}

} // namespace

std::optional<std::vector<ReadLine>> storeAfterRead(const std::vector<ReadLine> &fresh,
                                                    const std::vector<ReadLine> &stored,
                                                    const ReadMatch &match)
{
    if (match.whollyInside || fresh.empty())
        return std::nullopt;
    if (match.olderRead) {
        if (match.matched > 0) {
            const LineIds ids = lineIds(fresh, stored);
            const std::vector<int> newest(ids.fresh.begin(), ids.fresh.begin() + match.matched);
            const SearchEnd held = searchFor(newest, ids.stored);
            return olderReadInStore(fresh, stored, match.matched, held.firstFound + newest.size());
        }
        // Older than every stored line: below the whole store.
        if (isLaterDay(stored.back().date, fresh.front().date).value_or(false))
            return olderReadInStore(fresh, stored, 0, stored.size());
        return std::nullopt;
    }
    const size_t room = static_cast<size_t>(kReadStoreLimit);
    std::vector<ReadLine> lines(fresh.begin(),
                                fresh.begin() + static_cast<qsizetype>(std::min(fresh.size(), room)));
    if (match.matched > 0 || match.gap) {
        const size_t continued = static_cast<size_t>(match.matched);
        for (size_t i = continued; i < stored.size() && lines.size() < room; ++i)
            lines.push_back(stored[i]);
        return lines;
    }
    // No meeting and no gap: the history of another card without an ID.
    return lines;
}

} // namespace mokpe::journal
