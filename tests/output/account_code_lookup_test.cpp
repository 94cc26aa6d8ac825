#include "output/account_code_lookup.h"
#include "output/export_fields.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

AccountCodeTable table(const QStringList &lines)
{
    return {lines, static_cast<int>(lines.size()) - 1};
}

TEST(KamokuCodeGet, FirstLineContainingTheNameGivesTheCodeOfTheFormat)
{
    const AccountCodeTable accounts = table({
        QStringLiteral("186,1882,電子未決"),
        QStringLiteral("113,1131,電子マネー"),
        QStringLiteral("842,8471,旅費交通費"),
        QStringLiteral("1001,8001,長期前払費用"),
        QStringLiteral("111,1111,現金"),
        QStringLiteral("112,,小口現金"),
        QStringLiteral("999,9999,旅費交通費"),
    });
    const struct {
        const char16_t *name;
        CodeDigits digits;
        const char16_t *code;
    } cases[] = {
        {u"旅費交通費", CodeDigits::Three, u"842"},
        {u"旅費交通費", CodeDigits::Four, u"8471"},
        // Any part of a line matches, codes included; the first match wins.
        {u"交通", CodeDigits::Four, u"8471"},
        {u"8001", CodeDigits::Three, u"1001"},
        {u"長期前払費用", CodeDigits::Three, u"1001"},
        {u"現金", CodeDigits::Four, u"1111"},
        {u"小口現金", CodeDigits::Four, u""},
        {u"小口現金", CodeDigits::Three, u"112"},
        {u"電子マネー", CodeDigits::Three, u"113"},
        {u"電子未決", CodeDigits::Four, u"1882"},
        {u"", CodeDigits::Three, u""},
        {u"交際費", CodeDigits::Three, u""},
        {u"旅費交通費", CodeDigits::None, u""},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(Fm3_KamokuCodeGet(accounts, name, c.digits), QString::fromUtf16(c.code))
            << name.toStdString();
    }
}

// An account named exactly so wins over a line before it that only contains
// the name: petty cash inserted above cash must not lend cash its code.
TEST(KamokuCodeGet, AnAccountOfExactlyThatNameWinsOverAnEarlierLineContainingIt)
{
    const AccountCodeTable accounts = table({
        QStringLiteral("186,1882,電子未決"),
        QStringLiteral("113,1131,電子マネー"),
        QStringLiteral("112,1121,小口現金"),
        QStringLiteral("842旅費交通費 (no commas)"),
        QStringLiteral("111,1111,現金"),
        QStringLiteral("844,8491,交際費"),
        QStringLiteral("843,8481,旅費交通費"),
        QStringLiteral("845,8492,交際費"),
    });
    const struct {
        const char16_t *name;
        CodeDigits digits;
        const char16_t *code;
    } cases[] = {
        {u"現金", CodeDigits::Three, u"111"},
        {u"現金", CodeDigits::Four, u"1111"},
        {u"小口現金", CodeDigits::Four, u"1121"},
        // The exact name is found past a line without its commas.
        {u"旅費交通費", CodeDigits::Three, u"843"},
        // Of two accounts of one name, the first.
        {u"交際費", CodeDigits::Four, u"8491"},
        // No account of that name: the first line containing it, as before.
        {u"口現", CodeDigits::Three, u"112"},
        {u"交通", CodeDigits::Three, u""},
        {u"電子", CodeDigits::Four, u"1882"},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_EQ(Fm3_KamokuCodeGet(accounts, name, c.digits), QString::fromUtf16(c.code))
            << name.toStdString() << (c.digits == CodeDigits::Three ? " 3" : " 4");
    }
}

TEST(KamokuCodeGet, LinesPastTheLastIndexAndLinesWithoutTwoCommasGiveNoCode)
{
    AccountCodeTable accounts = table({QStringLiteral("842旅費交通費"), QStringLiteral("111,1111,現金")});
    EXPECT_EQ(Fm3_KamokuCodeGet(accounts, QStringLiteral("旅費"), CodeDigits::Three), QString());
    accounts.lastIndex = 0;
    EXPECT_EQ(Fm3_KamokuCodeGet(accounts, QStringLiteral("現金"), CodeDigits::Three), QString());
    EXPECT_EQ(codeDigitsOf(SuitouFormat), CodeDigits::Four);
    EXPECT_EQ(codeDigitsOf(KaikeiFormat), CodeDigits::Three);
    EXPECT_EQ(codeDigitsOf(FuurinFormat3), CodeDigits::Three);
    EXPECT_EQ(codeDigitsOf(FuurinFormat4), CodeDigits::Four);
    EXPECT_EQ(codeDigitsOf(NoFormat), CodeDigits::None);
}

} // namespace
} // namespace mokpe::output
