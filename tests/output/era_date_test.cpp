#include "output/era_date.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

TEST(ReadDateText, ReadsTheDatesCardHistoriesGiveAndNothingElse)
{
    const struct {
        const char16_t *text;
        QDate date; // invalid: cannot be read
    } cases[] = {
        {u"2008/07/19", QDate(2008, 7, 19)},
        {u"2008/7/19", QDate(2008, 7, 19)},
        {u"2008/12/1", QDate(2008, 12, 1)},
        {u" 2008/7/9 ", QDate(2008, 7, 9)},
        {u"2008-07-19", QDate(2008, 7, 19)},
        {u"2008年7月19日", QDate(2008, 7, 19)},
        {u"2020/02/29", QDate(2020, 2, 29)},
        {u"2019/02/29", QDate()},
        {u"2008/13/01", QDate()},
        {u"2008/7", QDate()},
        {u"08/7/19", QDate()},
        {u"2008/7/19 10:15", QDate()},
        {u"２００８/7/19", QDate()},
        {u"2008/07/19/", QDate()},
        {u"", QDate()},
        {u"昨日", QDate()},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const std::optional<QDate> read = readDateText(text);
        EXPECT_EQ(read.value_or(QDate()), c.date) << text.toStdString();
        EXPECT_EQ(read.has_value(), c.date.isValid()) << text.toStdString();
    }
}

TEST(EraCalendar, WritesEraDatesWithNumericYearsAcrossEraBoundaries)
{
    const struct {
        QDate date;
        const char16_t *longText;
        const char16_t *ymd;
        const char16_t *fuurin;
    } cases[] = {
        {QDate(2008, 7, 19), u"平成20年7月19日", u"200719", u"200719"},
        {QDate(2008, 12, 1), u"平成20年12月1日", u"201201", u"201201"},
        {QDate(2009, 3, 31), u"平成21年3月31日", u"210331", u"210331"},
        {QDate(1926, 12, 24), u"大正15年12月24日", u"151224", u"151224"},
        {QDate(1926, 12, 25), u"昭和1年12月25日", u"11225", u"11225"},
        {QDate(1989, 1, 7), u"昭和64年1月7日", u"640107", u"640107"},
        {QDate(1989, 1, 8), u"平成1年1月8日", u"10108", u"10108"},
        {QDate(2019, 4, 30), u"平成31年4月30日", u"310430", u"310430"},
        // The 楓林 format counts Reiwa on from Heisei 30; the others keep the era year.
        {QDate(2019, 5, 1), u"令和1年5月1日", u"10501", u"310501"},
        {QDate(2020, 2, 29), u"令和2年2月29日", u"20229", u"320229"},
        {QDate(2026, 1, 6), u"令和8年1月6日", u"80106", u"380106"},
    };
    EraCalendar calendar;
    for (const auto &c : cases) {
        const std::string at = c.date.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(calendar.longText(c.date), QString::fromUtf16(c.longText)) << at;
        EXPECT_EQ(calendar.yearMonthDay(c.date), QString::fromUtf16(c.ymd)) << at;
        EXPECT_EQ(calendar.fuurinYearMonthDay(c.date), QString::fromUtf16(c.fuurin)) << at;
    }
    // The same day asked again (the cache) and an invalid day.
    EXPECT_EQ(calendar.yearMonthDay(QDate(2026, 1, 6)), QStringLiteral("80106"));
    EXPECT_EQ(calendar.longText(QDate()), QString());
}

} // namespace
} // namespace mokpe::output
