#pragma once

#include <QStringView>

#include <array>

namespace mokpe::common {

// The decimal digits of a number without its sign, as QString::number writes
// them, held here rather than in a string of their own: a long journal writes
// one for every row, where QString::number's general formatting and a new
// string each time cost more than the rest of the row.
class DecimalText {
public:
    QStringView of(qint64 value)
    {
        quint64 magnitude = value < 0 ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
        char16_t *const end = digits_.data() + digits_.size();
        char16_t *first = end;
        do {
            *--first = static_cast<char16_t>(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        return QStringView(first, end);
    }

private:
    std::array<char16_t, 20> digits_;
};

} // namespace mokpe::common
