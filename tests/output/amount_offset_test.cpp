#include "output/amount_offset.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

TEST(AmountOffset, ByLengthWithNoEntryForFourEightAndTwelveOnwards)
{
    struct Case {
        QString text;
        double offset;
        bool covered;
    };
    const Case cases[] = {
        {QString(), 0, false},
        {QStringLiteral("1"), 21.0, true},
        {QStringLiteral("12"), 19.5, true},
        {QStringLiteral("123"), 18.0, true},
        {QStringLiteral("1234"), 0, false},
        {QStringLiteral("1,234"), 16.0, true},
        {QStringLiteral("12,345"), 14.8, true},
        {QStringLiteral("123,456"), 13.5, true},
        {QStringLiteral("-123,456"), 0, false},
        {QStringLiteral("1,234,567"), 11.5, true},
        {QStringLiteral("12,345,678"), 9.9, true},
        {QStringLiteral("123,456,789"), 8.5, true},
        {QStringLiteral("-123,456,789"), 0, false},
        {QStringLiteral("1,234,567,890"), 0, false},
        // Characters, not bytes: a full-width text of three counts three.
        {QStringLiteral("１２３"), 18.0, true},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Fm2_AmountOffset(c.text), c.offset) << c.text.toStdString();
        EXPECT_EQ(amountOffsetCovers(c.text.size()), c.covered) << c.text.toStdString();
    }
}

} // namespace
} // namespace mokpe::output
