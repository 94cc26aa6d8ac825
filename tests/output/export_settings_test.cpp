#include "output/export_settings.h"

#include "common/text_file.h"
#include "output/export_options.h"
#include "support/export_fixture.h"
#include "support/file_helpers.h"

#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

using test_support::ExportFixture;
using test_support::settingsFor;

std::vector<QString> dateTexts(const ExportFields &f)
{
    return {f.yearEnd.year,    f.yearEnd.month,  f.yearEnd.day,     f.periodStart.year, f.periodStart.month,
            f.periodStart.day, f.periodEnd.year, f.periodEnd.month, f.periodEnd.day};
}

std::vector<QString> texts(std::initializer_list<const char *> list)
{
    std::vector<QString> out;
    for (const char *s : list)
        out.push_back(QString::fromLatin1(s));
    return out;
}

TEST(ExportDefaults, FiscalYearFollowsTodaysMonth)
{
    const struct {
        QDate today;
        std::vector<QString> dates;
    } cases[] = {
        {QDate(2026, 3, 15), texts({"2026", "3", "31", "2025", "4", "1", "2026", "3", "31"})},
        {QDate(2026, 4, 15), texts({"2027", "3", "31", "2026", "4", "1", "2027", "3", "31"})},
        {QDate(2026, 1, 6), texts({"2026", "3", "31", "2025", "4", "1", "2026", "3", "31"})},
        {QDate(2026, 12, 31), texts({"2027", "3", "31", "2026", "4", "1", "2027", "3", "31"})},
    };
    for (const auto &c : cases) {
        ExportFields fields;
        Fm3_DefaultSet(fields, c.today);
        EXPECT_EQ(dateTexts(fields), c.dates) << c.today.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(fields.companyName, QStringLiteral("会社名を入力して下さい"));
        EXPECT_EQ(fields.companyCode, QStringLiteral("0123"));
        EXPECT_EQ(fields.rateBox, QStringLiteral("5"));
    }
}

TEST(ExportSettingsRead, LinesFillTheFieldsAsTheyStand)
{
    const struct {
        const char *line3;
        const char *line4;
        std::vector<QString> dates;
    } cases[] = {
        {"20090331", "20080401,20090331",
         texts({"2009", "03", "31", "2008", "04", "01", "2009", "03", "31"})},
        // Empty lines leave the fields empty whatever the defaults were.
        {"", "", texts({"", "", "", "", "", "", "", "", ""})},
        // Exactly 16 characters: no period at all.
        {"2009033", "20080401,2009033", texts({"2009", "03", "3", "", "", "", "", "", ""})},
        // The end day runs to the end of the line.
        {"2009", "20080401,200903311", texts({"2009", "", "", "2008", "04", "01", "2009", "03", "311"})},
    };
    for (const auto &c : cases) {
        QStringList lines = settingsFor(QStringLiteral("1"));
        lines[3] = QString::fromLatin1(c.line3);
        lines[4] = QString::fromLatin1(c.line4);
        ExportFixture f(lines);
        f.openDialog();
        EXPECT_EQ(dateTexts(f.fields), c.dates) << c.line3 << " / " << c.line4;
        EXPECT_EQ(f.fields.companyCode, QStringLiteral("0123"));
        EXPECT_EQ(f.fields.companyName, QStringLiteral("モコペ商事"));
    }
}

TEST(ExportSettingsRead, TaxModeZeroSelectsBlankAndRemembersLineEight)
{
    ExportFixture blank(settingsFor(QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("0")));
    blank.openDialog();
    EXPECT_TRUE(blank.fields.taxBlank);
    EXPECT_FALSE(rateBoxVisible(blank.fields));
    EXPECT_EQ(blank.fields.rememberedRate, QStringLiteral("0"));

    ExportFixture rate(settingsFor(QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("10")));
    rate.openDialog();
    EXPECT_FALSE(rate.fields.taxBlank);
    EXPECT_EQ(rate.fields.rateBox, QStringLiteral("10"));
    EXPECT_EQ(rate.fields.rememberedRate, QStringLiteral("10"));
}

TEST(ExportSettingsSave, WritesTheDialogsLinesAndCarriesNineToFourteenAsRead)
{
    QStringList lines = settingsFor(QStringLiteral("3"));
    // Values with spaces and a seventeenth line: read and written as they stand, 15 lines.
    lines[11] = QStringLiteral(" 未決 ");
    lines.append(QStringLiteral("extra"));
    ExportFixture f(lines);
    f.openDialog();
    // What the program holds changes after the opening; the dialog keeps its copy.
    f.state.settings.emoneyAccount.name = QStringLiteral("変更後");
    f.state.settings.screenColour = QStringLiteral("&HFFFFFF");
    f.fields.companyCode = QStringLiteral("7");
    f.fields.yearEnd = {QStringLiteral("2027"), QStringLiteral("3"), QStringLiteral("31")};
    f.fields.periodStart = {QStringLiteral("2026"), QStringLiteral("4"), QStringLiteral("1")};
    f.fields.periodEnd = {QStringLiteral("2027"), QStringLiteral("03"), QStringLiteral("31")};
    ASSERT_TRUE(Fm3_IniFileSave(f.fields, f.state, f.iniPath(), f.services.messages));
    EXPECT_EQ(f.iniLines(),
              (QStringList{QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("モコペ商事"),
                           QStringLiteral("20270331"), QStringLiteral("20260401,20270331"),
                           QStringLiteral("&HFFFFFF"), QStringLiteral("&HC0C0FF"), QStringLiteral("1"),
                           QStringLiteral("5"), QStringLiteral("186"), QStringLiteral("1882"),
                           QStringLiteral(" 未決 "), QStringLiteral("113"), QStringLiteral("1131"),
                           QStringLiteral("電子マネー")}));
    EXPECT_TRUE(
        test::fileBytes(f.iniPath()).endsWith(test::cp932(QStringLiteral("\r\n1131\r\n電子マネー\r\n"))));
}

TEST(ExportSettingsSave, BlankTaxSavesZerosAndTheRateComesBack)
{
    ExportFixture f(settingsFor(QStringLiteral("2")));
    f.openDialog();
    f.fields.rateBox = QStringLiteral("8");
    chooseTaxBlank(f.fields);
    ASSERT_TRUE(Fm3_IniFileSave(f.fields, f.state, f.iniPath(), f.services.messages));
    EXPECT_EQ(f.iniLines().mid(7, 2), (QStringList{QStringLiteral("0"), QStringLiteral("0")}));
    chooseTaxRate(f.fields);
    EXPECT_TRUE(rateBoxVisible(f.fields));
    EXPECT_EQ(f.fields.rateBox, QStringLiteral("8"));
    ASSERT_TRUE(Fm3_IniFileSave(f.fields, f.state, f.iniPath(), f.services.messages));
    EXPECT_EQ(f.iniLines().mid(7, 2), (QStringList{QStringLiteral("1"), QStringLiteral("8")}));
}

TEST(ExportSettingsRead, MissingFileIsWrittenAtOnceKeepingTheProgramsAccounts)
{
    ExportFixture f(settingsFor(QStringLiteral("1")));
    ASSERT_TRUE(QFile::remove(f.iniPath()));
    f.services.clock = platform::FixedClock(QDate(2026, 4, 15));
    f.openDialog();
    EXPECT_TRUE(f.services.messages.shown.empty());
    // The defaults of the day, the rate box empty (nothing remembered yet), and
    // the e-money accounts as the program holds them, not emptied.
    EXPECT_EQ(
        f.iniLines(),
        (QStringList{QStringLiteral("1"), QStringLiteral("0123"), QStringLiteral("会社名を入力して下さい"),
                     QStringLiteral("20270331"), QStringLiteral("20260401,20270331"),
                     QStringLiteral("&H8000000F"), QStringLiteral("&HC0C0FF"), QStringLiteral("1"), QString(),
                     QStringLiteral("186"), QStringLiteral("1882"), QStringLiteral("電子未決"),
                     QStringLiteral("113"), QStringLiteral("1131"), QStringLiteral("電子マネー")}));
}

TEST(ExportSettingsRead, UnreadableFileIsToldAndTheProgramsCopyStandsIn)
{
    ExportFixture f(settingsFor(QStringLiteral("2")));
    const QByteArray bad("2\r\n\x81\r\n");
    test::writeBytes(f.iniPath(), bad);
    f.openDialog();
    ASSERT_EQ(f.services.messages.shown.size(), 1u);
    EXPECT_TRUE(f.services.messages.shown[0].text.contains(QStringLiteral("読み込めない文字")));
    EXPECT_EQ(f.fields.companyName, QStringLiteral("モコペ商事"));
    EXPECT_EQ(test::fileBytes(f.iniPath()), bad);
}

} // namespace
} // namespace mokpe::output
