#include "output/account_code_lookup.h"

#include "output/export_fields.h"

namespace mokpe::output {

CodeDigits codeDigitsOf(int format)
{
    switch (format) {
    case SuitouFormat:
    case FuurinFormat4:
        return CodeDigits::Four;
    case KaikeiFormat:
    case FuurinFormat3:
        return CodeDigits::Three;
    default:
        return CodeDigits::None;
    }
}

namespace {

// Where a line's two commas stand: its 3-digit code ends at the first, its
// 4-digit code at the second, and the account name follows. -1 when missing.
struct Commas {
    qsizetype first = -1;
    qsizetype second = -1;
};

Commas commasOf(const QString &line)
{
    Commas commas;
    commas.first = line.indexOf(QLatin1Char(','));
    if (commas.first >= 0)
        commas.second = line.indexOf(QLatin1Char(','), commas.first + 1);
    return commas;
}

} // namespace

QString Fm3_KamokuCodeGet(const AccountCodeTable &accounts, const QString &name, CodeDigits digits)
{
    if (name.isEmpty() || digits == CodeDigits::None)
        return {};
    const auto codeOf = [digits](const QString &line, Commas commas) {
        return digits == CodeDigits::Three ? line.first(commas.first)
                                           : line.sliced(commas.first + 1, commas.second - commas.first - 1);
    };
    const qsizetype last = std::min<qsizetype>(accounts.lastIndex, accounts.lines.size() - 1);
    qsizetype firstContaining = -1;
    for (qsizetype i = 0; i <= last; ++i) {
        const QString &line = accounts.lines.at(i);
        if (!line.contains(name))
            continue;
        if (firstContaining < 0)
            firstContaining = i;
        const Commas commas = commasOf(line);
        if (commas.second >= 0 && QStringView(line).sliced(commas.second + 1) == name)
            return codeOf(line, commas);
    }
    if (firstContaining < 0)
        return {};
    // No account of exactly that name: the first line containing it. A line
    // without its two commas holds no code (the start-up check keeps such
    // lines out of the table).
    const QString &line = accounts.lines.at(firstContaining);
    const Commas commas = commasOf(line);
    return commas.second < 0 ? QString() : codeOf(line, commas);
}

const QString &AccountCodeCache::code(const QString &name)
{
    for (const Recent &recent : recent_) {
        if (!recent.name.isNull() && recent.name.constData() == name.constData() &&
            recent.name.size() == name.size())
            return recent.code;
    }
    auto it = codes_.find(name);
    if (it == codes_.end())
        it = codes_.insert(name, Fm3_KamokuCodeGet(accounts_, name, digits_));
    Recent &recent = recent_[nextRecent_];
    nextRecent_ = (nextRecent_ + 1) % recent_.size();
    recent = {name, it.value()};
    return recent.code;
}

} // namespace mokpe::output
