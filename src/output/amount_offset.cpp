#include "output/amount_offset.h"

#include <array>

namespace mokpe::output {

namespace {

struct OffsetEntry {
    qsizetype length;
    double offset;
};

constexpr std::array<OffsetEntry, 9> kOffsets = {{
    {1, 21.0},
    {2, 19.5},
    {3, 18.0},
    {5, 16.0},
    {6, 14.8},
    {7, 13.5},
    {9, 11.5},
    {10, 9.9},
    {11, 8.5},
}};

} // namespace

double Fm2_AmountOffset(const QString &text)
{
    for (const OffsetEntry &entry : kOffsets) {
        if (entry.length == text.size())
            return entry.offset;
    }
    return 0.0;
}

bool amountOffsetCovers(qsizetype length)
{
    for (const OffsetEntry &entry : kOffsets) {
        if (entry.length == length)
            return true;
    }
    return false;
}

} // namespace mokpe::output
