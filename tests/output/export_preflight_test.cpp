#include "output/export_preflight.h"

#include "output/csv_export.h"
#include "output/export_options.h"
#include "support/export_fixture.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mokpe::output {
namespace {

using Kind = PreflightProblem::Kind;
using test_support::ExportFixture;
using test_support::settingsFor;

const QByteArray kOldExport = "old export\r\n";

// One journal row with one fault, checked in one format.
struct Case {
    const char *what;
    int format;
    const char16_t *row; // date,debit,amount,credit,amount,summary
    Kind kind;
    int column; // journal column named by the problem
    // Problems found in all: a name outside CP932 or with a quote has no code either.
    size_t count = 1;
};

const Case kCases[] = {
    {"summary outside CP932", FuurinFormat3,
     u"2026/01/06|旅費交通費|160|電子マネー|160|①は書ける，㈱も，\u00e9は不可", Kind::NotCp932, 6},
    {"debit outside CP932", SuitouFormat, u"2026/01/06|旅費\u00e9|160|電子マネー|160|乗車", Kind::NotCp932, 2,
     2},
    {"amount outside CP932", KaikeiFormat, u"2026/01/06|旅費交通費|160|電子マネー|1\u00e960|乗車",
     Kind::NotCp932, 5},
    {"unreadable date, 楓林", FuurinFormat4, u"2026/13/06|旅費交通費|160|電子マネー|160|乗車",
     Kind::UnreadableDate, 1},
    {"unreadable date, 出納帳", SuitouFormat, u"令和8年1月6日|旅費交通費|160|電子マネー|160|乗車",
     Kind::UnreadableDate, 1},
    {"unreadable date, 会計", KaikeiFormat, u"2026/1|旅費交通費|160|電子マネー|160|乗車",
     Kind::UnreadableDate, 1},
    {"debit without code", FuurinFormat3, u"2026/01/06|雑費|160|電子マネー|160|乗車", Kind::NoAccountCode, 2},
    {"credit without code", KaikeiFormat, u"2026/01/06|旅費交通費|160|売掛金|160|乗車", Kind::NoAccountCode,
     4},
    {"quote in a summary", SuitouFormat, u"2026/01/06|旅費交通費|160|電子マネー|160|\"特急\"券",
     Kind::QuoteInQuoted, 6},
    {"quote in a name", FuurinFormat3, u"2026/01/06|旅費交通費|160|電子\"マネー|160|乗車",
     Kind::QuoteInQuoted, 4, 2},
    {"comma in an amount", FuurinFormat3, u"2026/01/06|旅費交通費|160|電子マネー|1,600|乗車",
     Kind::SeparatorInBare, 5},
    // A character outside CP932 is told, not a quote or comma before it.
    {"quote before a character outside CP932", SuitouFormat,
     u"2026/01/06|旅費交通費|160|電子マネー|160|\"特急\"券\u00e9", Kind::NotCp932, 6},
    {"comma before a character outside CP932", KaikeiFormat,
     u"2026/01/06|旅費交通費|160|電子マネー|1,6\u00e90|乗車", Kind::NotCp932, 5},
};

QStringList accountsFor(int format)
{
    return format >= FuurinFormat3
               ? QStringList{QStringLiteral("186,1800,仕訳未決定"), QStringLiteral("113,1412,電子マネー"),
                             QStringLiteral("842,8410,旅費交通費")}
               : test_support::wAccountLines();
}

TEST(ExportPreflight, EachFaultIsFoundInTheRowAndColumnThatHoldIt)
{
    for (const Case &c : kCases) {
        ExportFixture f(settingsFor(QString::number(c.format)), accountsFor(c.format));
        f.setJournal(
            {QStringLiteral("2026/01/05|旅費交通費|130|電子マネー|130|乗車"), QString::fromUtf16(c.row)});
        f.openDialog();
        ASSERT_EQ(f.fields.selectedFormat, c.format) << c.what;
        const PreflightReport report = checkExportTexts({f.grid, f.state.accounts, f.fields});
        EXPECT_EQ(report.problems.size(), c.count) << c.what << preflightRefusalMessage(report).toStdString();
        const auto found = std::find_if(report.problems.begin(), report.problems.end(),
                                        [&c](const PreflightProblem &p) { return p.kind == c.kind; });
        ASSERT_NE(found, report.problems.end()) << c.what;
        const PreflightProblem &p = *found;
        EXPECT_EQ(p.kind, c.kind) << c.what;
        EXPECT_EQ(p.row, 2) << c.what;
        EXPECT_EQ(p.column, c.column) << c.what;
        EXPECT_EQ(p.text, f.grid.text(2, c.column)) << c.what;
        EXPECT_EQ(report.refused(), c.kind == Kind::NotCp932 || c.kind == Kind::UnreadableDate) << c.what;
    }
}

TEST(ExportPreflight, ARefusalWritesNothingAndAQuestionWritesOnlyOnYes)
{
    for (const Case &c : kCases) {
        for (const bool yes : {false, true}) {
            ExportFixture f(settingsFor(QString::number(c.format)), accountsFor(c.format));
            f.setJournal({QString::fromUtf16(c.row)});
            f.openDialog();
            const QString out = f.file(QStringLiteral("out.csv"));
            test::writeBytes(out, kOldExport);
            f.services.dialogs.chooseNext(out);
            f.services.messages.answerNext(true); // the overwrite question
            const bool refuses = c.kind == Kind::NotCp932 || c.kind == Kind::UnreadableDate;
            if (!refuses)
                f.services.messages.answerNext(yes);
            const ExportResult result = runExportCommand(f.fields, f.state, f.grid, f.exportServices());
            ASSERT_EQ(f.services.messages.shown.size(), 2u)
                << c.what << f.services.messages.texts().join('|').toStdString();
            const test::ShownMessage &shown = f.services.messages.shown[1];
            EXPECT_EQ(shown.kind, refuses ? test::ShownMessage::Inform : test::ShownMessage::Ask) << c.what;
            EXPECT_TRUE(shown.text.contains(QStringLiteral("1行目"))) << c.what;
            if (refuses || !yes) {
                EXPECT_EQ(result.outcome, refuses ? ExportOutcome::Refused : ExportOutcome::Declined)
                    << c.what;
                EXPECT_EQ(test::fileBytes(out), kOldExport) << c.what;
            } else {
                EXPECT_EQ(result.outcome, ExportOutcome::Written) << c.what;
                EXPECT_NE(test::fileBytes(out), kOldExport) << c.what;
            }
            // The settings are saved after every run that had a format.
            EXPECT_TRUE(result.settingsSaved) << c.what;
            if (refuses)
                break;
        }
    }
}

TEST(ExportPreflight, MessagesListRowColumnTextAndReason)
{
    ExportFixture f(settingsFor(QStringLiteral("2")));
    f.setJournal({QStringLiteral("2026/01/06|交通費|160|電子マネー|160|\"特急\""),
                  QStringLiteral("2026/02/30|旅費交通費|160|電子マネー|160|乗車")});
    f.fields.companyName = QStringLiteral("Café");
    f.openDialog();
    f.fields.companyName = QStringLiteral("Café");
    const PreflightReport report = checkExportTexts({f.grid, f.state.accounts, f.fields});
    EXPECT_EQ(preflightRefusalMessage(report).toStdString(),
              QStringLiteral("次の内容はCSVファイルに書き出せないため，出力を中止しました．\r\n"
                             "「会社名」：Café　Shift_JIS(CP932)で表せない文字「é」(U+00E9)があります．\r\n"
                             "2行目「日付」：2026/02/30　日付として読めません．\r\n"
                             "1行目「摘要」：\"特急\"　「\"」があるため，CSVの項目の区切りが崩れます．")
                  .toStdString());

    f.fields.companyName = QStringLiteral("モコペ");
    f.grid.setText(2, 1, QStringLiteral("2026/02/28"));
    const PreflightReport asked = checkExportTexts({f.grid, f.state.accounts, f.fields});
    EXPECT_FALSE(asked.refused());
    EXPECT_EQ(
        preflightQuestion(asked).toStdString(),
        QStringLiteral("次の内容は，このまま出力されます．\r\n"
                       "1行目「摘要」：\"特急\"　「\"」があるため，CSVの項目の区切りが崩れます．\r\n\r\n"
                       "このまま出力しますか？")
            .toStdString());
}

// The account code table may hold any text as a code (the editor checks only
// the list's 3-digit codes; the file may be edited by hand), and codes are
// written unquoted: a double quote in the code the format writes is named with
// its account. Both codes hold one; the other code is not written, so not named.
TEST(ExportPreflight, AQuoteInTheWrittenCodeIsNamedWithItsAccount)
{
    for (const int format : {SuitouFormat, KaikeiFormat, FuurinFormat3, FuurinFormat4}) {
        const bool fourDigits = format == SuitouFormat || format == FuurinFormat4;
        const QString written = fourDigits ? QStringLiteral("84\"1") : QStringLiteral("8\"2");
        QStringList accounts = accountsFor(format);
        const auto travel = std::find_if(accounts.begin(), accounts.end(), [](const QString &line) {
            return line.endsWith(QStringLiteral(",旅費交通費"));
        });
        ASSERT_NE(travel, accounts.end());
        *travel = QStringLiteral("8\"2,84\"1,旅費交通費");
        ExportFixture f(settingsFor(QString::number(format)), accounts);
        f.setJournal({QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車")});
        f.openDialog();
        ASSERT_EQ(f.fields.selectedFormat, format);
        const PreflightReport report = checkExportTexts({f.grid, f.state.accounts, f.fields});
        ASSERT_EQ(report.problems.size(), 1u) << format << preflightQuestion(report).toStdString();
        const PreflightProblem &p = report.problems[0];
        EXPECT_EQ(p.kind, Kind::SeparatorInBare) << format;
        EXPECT_EQ(p.code, written) << format;
        EXPECT_FALSE(report.refused()) << format;
        EXPECT_TRUE(preflightQuestion(report)
                        .split(QStringLiteral("\r\n"))
                        .contains(QStringLiteral("1行目「借方科目」：旅費交通費　科目コード「%1」に"
                                                 "「,」か「\"」があるため，CSVの項目の区切りが崩れます．")
                                      .arg(written)))
            << format << preflightQuestion(report).toStdString();
    }
}

TEST(ExportPreflight, OnlyWhatTheFormatWritesIsChecked)
{
    // A bad character past the 32nd of a summary is cut away; the 楓林 format
    // writes neither the company name nor the debit amount.
    ExportFixture f(settingsFor(QStringLiteral("3")), accountsFor(FuurinFormat3));
    f.setJournal({QString::fromUtf16(u"2026/01/06|旅費交通費|1\u00e9|電子マネー|160|") +
                  QString(32, QChar(0x3042)) + QStringLiteral("é")});
    f.openDialog();
    f.fields.companyName = QStringLiteral("Café");
    EXPECT_TRUE(checkExportTexts({f.grid, f.state.accounts, f.fields}).empty());
    // The 出納帳 format writes both amounts and the name.
    ExportFixture s(settingsFor(QStringLiteral("1")));
    s.setJournal({QString::fromUtf16(u"2026/01/06|旅費交通費|1\u00e9|電子マネー|160|乗車")});
    s.openDialog();
    s.fields.companyName = QStringLiteral("Café");
    const PreflightReport report = checkExportTexts({s.grid, s.state.accounts, s.fields});
    ASSERT_EQ(report.problems.size(), 2u);
    EXPECT_EQ(report.problems[0].item, DialogItem::CompanyName);
    EXPECT_EQ(report.problems[1].column, 3);
}

TEST(ExportPreflight, ALongListIsCutWithTheCountOfTheRest)
{
    ExportFixture f(settingsFor(QStringLiteral("1")));
    for (int r = 1; r <= 45; ++r)
        f.grid.setRowTexts(r, {QString::number(r), QStringLiteral("2026/01/06"), QStringLiteral("未登録"),
                               QStringLiteral("1"), QStringLiteral("現金"), QStringLiteral("1"), QString()});
    f.grid.setJournalRowCount(45);
    f.openDialog();
    const PreflightReport report = checkExportTexts({f.grid, f.state.accounts, f.fields});
    EXPECT_EQ(report.problems.size(), 45u);
    const QStringList lines = preflightQuestion(report).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.filter(QStringLiteral("行目「借方科目」：未登録")).size(), 30);
    EXPECT_TRUE(lines.contains(QStringLiteral("ほか15件")));
}

} // namespace
} // namespace mokpe::output
