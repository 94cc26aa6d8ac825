#include "output/export_texts.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

const QString Z(kFullWidthSpace);

TEST(ExportTexts, ZenPadCutsOrPadsWithFullWidthSpaces)
{
    const struct {
        QString in;
        int width;
        QString out;
    } cases[] = {
        {QStringLiteral("現金"), 4, QStringLiteral("現金") + Z + Z},
        {QStringLiteral("交際費"), 4, QStringLiteral("交際費") + Z},
        {QStringLiteral("旅費交通費"), 4, QStringLiteral("旅費交通")},
        {QStringLiteral("電子ﾏﾈｰ"), 4, QStringLiteral("電子ﾏﾈ")},
        {QString(), 12, QString(12, kFullWidthSpace)},
        {QString(33, QLatin1Char('a')), 32, QString(32, QLatin1Char('a'))},
        {QString(32, QLatin1Char('a')), 32, QString(32, QLatin1Char('a'))},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Fm3_ZenPad(c.in, c.width), c.out) << c.in.toStdString();
}

TEST(ExportTexts, ZenNumberKeepsDigitsInFullWidthOrRefusesALeadingNonDigit)
{
    const struct {
        const char16_t *rate;
        const char16_t *out; // nullptr: refused
    } cases[] = {
        {u"5", u"５"},  {u"10", u"１０"}, {u"12.5", u"１２５"}, {u"8%", u"８"},   {u"0", u"０"},
        {u"", nullptr}, {u".5", nullptr}, {u"５", nullptr},     {u" 5", nullptr}, {u"-5", nullptr},
    };
    for (const auto &c : cases) {
        const std::optional<QString> out = Fm3_ZenNumber(QString::fromUtf16(c.rate));
        if (c.out)
            EXPECT_EQ(out.value_or(QStringLiteral("<refused>")), QString::fromUtf16(c.out));
        else
            EXPECT_FALSE(out.has_value()) << QString::fromUtf16(c.rate).toStdString();
    }
}

TEST(ExportTexts, MonthsAndDaysTakeTwoDigits)
{
    const struct {
        const char *in;
        const char *out;
    } cases[] = {{"3", "03"}, {"03", "03"},  {"12", "12"},  {"", ""},
                 {"x", "x"},  {"003", "03"}, {"123", "123"}};
    for (const auto &c : cases)
        EXPECT_EQ(twoDigitText(QString::fromLatin1(c.in)), QString::fromLatin1(c.out)) << c.in;
    EXPECT_EQ(eightDigitDate({QStringLiteral("2008"), QStringLiteral("4"), QStringLiteral("1")}),
              QStringLiteral("20080401"));
}

TEST(ExportTexts, CompanyCodeIsPaddedToFourOrToldWhenLonger)
{
    const struct {
        const char *in;
        const char *out;
        bool tooLong;
    } cases[] = {{"", "0000", false},    {"7", "0007", false},    {"12", "0012", false},
                 {"123", "0123", false}, {"0123", "0123", false}, {"12345", "12345", true},
                 {"ab", "00ab", false}};
    for (const auto &c : cases) {
        const PaddedCompanyCode p = padCompanyCode(QString::fromLatin1(c.in));
        EXPECT_EQ(p.code, QString::fromLatin1(c.out)) << c.in;
        EXPECT_EQ(p.tooLong, c.tooLong) << c.in;
    }
}

TEST(ExportTexts, DefaultFileNamesCarryTheDateStampOrTheCompanyCode)
{
    const QString stamp = dateStamp(QDate(2026, 1, 6));
    EXPECT_EQ(stamp, QStringLiteral("260106"));
    EXPECT_EQ(dateStamp(QDate(2009, 11, 30)), QStringLiteral("091130"));
    const QString card = QStringLiteral("card.csv");
    const QString code = QStringLiteral("0123");
    EXPECT_EQ(defaultExportFileName(SuitouFormat, stamp, card, code), QStringLiteral("260106出納帳card.csv"));
    EXPECT_EQ(defaultExportFileName(KaikeiFormat, stamp, card, code), QStringLiteral("260106会計card.csv"));
    EXPECT_EQ(defaultExportFileName(FuurinFormat3, stamp, card, code), QStringLiteral("0123KAI.CSV"));
    EXPECT_EQ(defaultExportFileName(FuurinFormat4, stamp, card, QStringLiteral("12345")),
              QStringLiteral("12345KAI.CSV"));
    EXPECT_EQ(defaultExportFileName(NoFormat, stamp, card, code), QString());
}

} // namespace
} // namespace mokpe::output
