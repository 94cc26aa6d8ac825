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

constexpr int kNotStored = -1;

// A history's date ("2024/05/03", "2024-5-3", a time after it allowed); an
// invalid QDate when the text is none.
QDate dateOf(const QString &text)
{
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (const QChar c : text) {
        if (c.isDigit() && c.unicode() < 0x80) {
            parts[part] = parts[part] * 10 + (c.unicode() - '0');
            if (++digits > 4)
                return {};
        } else if ((c == QLatin1Char('/') || c == QLatin1Char('-')) && part < 2 && digits > 0) {
            ++part;
            digits = 0;
        } else {
            break;
        }
    }
    if (part != 2 || digits == 0)
        return {};
    return QDate(parts[0], parts[1], parts[2]);
}

std::vector<QDate> datesOf(const std::vector<ReadLine> &lines)
{
    std::vector<QDate> dates;
    dates.reserve(lines.size());
    for (const ReadLine &line : lines)
        dates.push_back(dateOf(line.date));
    return dates;
}

// Whether day `a` comes after day `b`; a text that is no date comes after
// nothing and nothing comes after it.
bool isLaterDay(const QDate &a, const QDate &b)
{
    return a.isValid() && b.isValid() && a > b;
}

// Where each line of a new read stands against the store.
struct Placement {
    // The stored line each new line is; kNotStored for the others.
    std::vector<int> storedIndex;
    // Booked: held by the store, or dropped from a full store.
    std::vector<bool> booked;
    // For a new line not booked: how many stored lines go above it.
    std::vector<int> slot;
};

Placement place(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored)
{
    const size_t n = stored.size();
    const size_t m = fresh.size();
    Placement placement{std::vector<int>(m, kNotStored), std::vector<bool>(m, false), std::vector<int>(m, 0)};
    if (n == 0 || m == 0)
        return placement;

    // Each stored line answers for one new line: the oldest new lines take
    // the oldest stored ones, so that a repeated line meets where it was.
    QHash<LineKey, std::vector<int>> where;
    where.reserve(static_cast<qsizetype>(n));
    for (size_t i = 0; i < n; ++i)
        where[keyOf(stored[i])].push_back(static_cast<int>(i));
    for (size_t j = m; j-- > 0;) {
        const auto it = where.find(keyOf(fresh[j]));
        if (it == where.end() || it->empty())
            continue;
        placement.storedIndex[j] = it->back();
        placement.booked[j] = true;
        it->pop_back();
    }

    const std::vector<QDate> storedDates = datesOf(stored);
    const std::vector<QDate> freshDates = datesOf(fresh);
    // Lines of one day from both sides: the read that ends later, or else
    // begins later, above.
    const auto span = [](const std::vector<QDate> &dates) { return std::pair(dates.front(), dates.back()); };
    const bool storedAboveOnTies = span(storedDates) > span(freshDates);
    const auto goesAbove = [&](size_t i, size_t j) {
        const QDate &s = storedDates[i];
        const QDate &f = freshDates[j];
        if (s.isValid() && f.isValid() && s != f)
            return s > f;
        return storedAboveOnTies;
    };

    // A run of new lines stands between its booked neighbours in the store.
    std::vector<int> below(m, static_cast<int>(n));
    for (size_t j = m, bound = n; j-- > 0;) {
        below[j] = static_cast<int>(bound);
        if (placement.storedIndex[j] != kNotStored)
            bound = static_cast<size_t>(placement.storedIndex[j]);
    }
    size_t lo = 0;
    for (size_t j = 0; j < m; ++j) {
        if (placement.storedIndex[j] != kNotStored) {
            lo = static_cast<size_t>(placement.storedIndex[j]) + 1;
            continue;
        }
        const size_t hi = std::max(lo, static_cast<size_t>(below[j]));
        size_t first = lo;
        size_t count = hi - lo;
        // The stored lines that go above it come first in [lo, hi).
        while (count > 0) {
            const size_t half = count / 2;
            if (goesAbove(first + half, j)) {
                first += half + 1;
                count -= half + 1;
            } else {
                count = half;
            }
        }
        placement.slot[j] = static_cast<int>(first);
        // A full store dropped its oldest lines: what goes below all of it
        // was booked before.
        if (first == n && n >= static_cast<size_t>(kReadStoreLimit))
            placement.booked[j] = true;
    }
    return placement;
}

} // namespace

ReadMatch matchReads(const std::vector<ReadLine> &fresh, const std::vector<ReadLine> &stored)
{
    ReadMatch match;
    if (fresh.empty() || stored.empty()) {
        match.booked.assign(fresh.size(), false);
        return match;
    }
    const Placement placement = place(fresh, stored);
    match.booked = placement.booked;
    match.matched = static_cast<int>(std::count(match.booked.begin(), match.booked.end(), true));
    const auto newestNew = std::find(match.booked.begin(), match.booked.end(), false);
    if (newestNew == match.booked.end()) {
        match.whollyInside = true;
        return match;
    }
    match.olderRead = placement.slot[static_cast<size_t>(newestNew - match.booked.begin())] > 0;
    if (match.matched == 0 && !match.olderRead &&
        isLaterDay(dateOf(fresh.back().date), dateOf(stored.front().date)))
        match.gap = ReadGap{stored.front().date, fresh.back().date};
    return match;
}

std::optional<std::vector<ReadLine>> storeAfterRead(const std::vector<ReadLine> &fresh,
                                                    const std::vector<ReadLine> &stored)
{
    const Placement placement = place(fresh, stored);
    std::vector<std::pair<int, size_t>> inserted;
    for (size_t j = 0; j < fresh.size(); ++j) {
        if (!placement.booked[j])
            inserted.emplace_back(placement.slot[j], j);
    }
    if (inserted.empty())
        return std::nullopt;
    std::stable_sort(inserted.begin(), inserted.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });

    std::vector<ReadLine> lines;
    const size_t room = static_cast<size_t>(kReadStoreLimit);
    lines.reserve(std::min(room, stored.size() + inserted.size()));
    std::vector<const ReadLine *> storedAs(stored.size());
    for (size_t i = 0; i < stored.size(); ++i)
        storedAs[i] = &stored[i];
    for (size_t j = 0; j < fresh.size(); ++j) {
        if (placement.storedIndex[j] != kNotStored)
            storedAs[static_cast<size_t>(placement.storedIndex[j])] = &fresh[j];
    }
    auto next = inserted.begin();
    for (size_t i = 0; i <= stored.size() && lines.size() < room; ++i) {
        for (; next != inserted.end() && static_cast<size_t>(next->first) == i && lines.size() < room; ++next)
            lines.push_back(fresh[next->second]);
        if (i < stored.size() && lines.size() < room) {
            // A booked line keeps what the new read says of it: its remark
            // may have been edited since.
            lines.push_back(*storedAs[i]);
        }
    }
    return lines;
}

} // namespace mokpe::journal
