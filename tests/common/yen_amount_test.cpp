#include "common/yen_amount.h"

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

TEST(YenAmount, WholeYenWithin64BitsSpacesAroundAllowed)
{
    const struct {
        QString text;
        std::optional<qint64> value;
        // As the files and the report write it.
        QString written;
    } cases[] = {
        {QStringLiteral("210"), 210, QStringLiteral("210")},
        {QStringLiteral(" 210 "), 210, QStringLiteral("210")},
        {QStringLiteral("-500"), -500, QStringLiteral("-500")},
        {QStringLiteral("0"), 0, QStringLiteral("0")},
        {QStringLiteral("-0"), 0, QStringLiteral("0")},
        {QStringLiteral("007"), 7, QStringLiteral("7")},
        {QStringLiteral("2147483648"), 2147483648LL, QStringLiteral("2147483648")},
        {QStringLiteral("999999999999999999"), 999'999'999'999'999'999LL,
         QStringLiteral("999999999999999999")},
        {QStringLiteral("-999999999999999999"), -999'999'999'999'999'999LL,
         QStringLiteral("-999999999999999999")},
        {QStringLiteral("1000000000000000000"), 1'000'000'000'000'000'000LL,
         QStringLiteral("1000000000000000000")},
        {QStringLiteral("-07"), -7, QStringLiteral("-7")},
        {QStringLiteral("9223372036854775807"), std::numeric_limits<qint64>::max(),
         QStringLiteral("9223372036854775807")},
        {QStringLiteral("-9223372036854775808"), std::numeric_limits<qint64>::min(),
         QStringLiteral("-9223372036854775808")},
        // Not amounts: written as they stand, after the checks have named them.
        {QStringLiteral("9223372036854775808"), std::nullopt, QStringLiteral("9223372036854775808")},
        {QStringLiteral("-9223372036854775809"), std::nullopt, QStringLiteral("-9223372036854775809")},
        {QStringLiteral("1e9"), std::nullopt, QStringLiteral("1e9")},
        {QStringLiteral("２１０"), std::nullopt, QStringLiteral("２１０")},
        {QStringLiteral("0x10"), std::nullopt, QStringLiteral("0x10")},
        {QStringLiteral("210.5"), std::nullopt, QStringLiteral("210.5")},
        {QStringLiteral("1,000"), std::nullopt, QStringLiteral("1,000")},
        {QStringLiteral("+5"), std::nullopt, QStringLiteral("+5")},
        {QStringLiteral("- 5"), std::nullopt, QStringLiteral("- 5")},
        {QStringLiteral("\t5"), std::nullopt, QStringLiteral("\t5")},
        {QStringLiteral("　5"), std::nullopt, QStringLiteral("　5")},
        {QStringLiteral("-"), std::nullopt, QStringLiteral("-")},
        {QStringLiteral("  "), std::nullopt, QStringLiteral("  ")},
        {QString(), std::nullopt, QString()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(yenAmount(c.text), c.value) << c.text.toStdString();
        EXPECT_EQ(yenAmountText(c.text), c.written) << c.text.toStdString();
    }
}

} // namespace
} // namespace mokpe::common
