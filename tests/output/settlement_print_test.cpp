#include "output/settlement_print.h"

#include "common/app_state.h"

#include "support/fake_printers.h"
#include "support/report_journals.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

struct PrinterCheckCase {
    const char *name;
    QStringList printers;
    bool usable;
};

void PrintTo(const PrinterCheckCase &c, std::ostream *os)
{
    *os << c.name;
}

class PrinterCheckTest : public ::testing::TestWithParam<PrinterCheckCase> {};

TEST_P(PrinterCheckTest, LooksAtTheLastPrinterListed)
{
    EXPECT_EQ(Fm2_PrinterCheck(GetParam().printers), GetParam().usable);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PrinterCheckTest,
    ::testing::Values(
        PrinterCheckCase{"None", {}, false}, PrinterCheckCase{"OneEmptyName", {QString()}, false},
        PrinterCheckCase{"OnePrinter", {QStringLiteral("Office_Laser")}, true},
        PrinterCheckCase{"XpsWriter", {QStringLiteral("Microsoft XPS Document Writer")}, false},
        PrinterCheckCase{"LastIsMicrosoftEvenWithOthers",
                         {QStringLiteral("Office_Laser"), QStringLiteral("Microsoft Print to PDF")},
                         false},
        // Only the last one counts, and the test is case-sensitive from its second letter.
        PrinterCheckCase{"MicrosoftFirst",
                         {QStringLiteral("Microsoft Print to PDF"), QStringLiteral("Office_Laser")},
                         true},
        PrinterCheckCase{"LowerCaseMicrosoft", {QStringLiteral("microsoft-ish")}, false},
        PrinterCheckCase{"UpperCaseMICROSOFT", {QStringLiteral("MICROSOFT")}, true}));

struct StartCase {
    const char *name;
    // Last journal row's debit and credit amounts.
    QString debit;
    QString credit;
    QStringList printers;
    QStringList messages;
};

void PrintTo(const StartCase &c, std::ostream *os)
{
    *os << c.name;
}

class PrintStartCheckTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(PrintStartCheckTest, LastRowAmountThenPrinters)
{
    const StartCase &c = GetParam();
    journal::JournalGrid grid = test::sampleJournal(5);
    grid.setText(5, journal::DebitAmountColumn, c.debit);
    grid.setText(5, journal::CreditAmountColumn, c.credit);
    test::ScriptedMessages messages;
    test::FakePrinterService printers;
    printers.names = c.printers;
    EXPECT_EQ(printStartCheck(grid, printers, messages), c.messages.isEmpty());
    EXPECT_EQ(messages.texts(), c.messages);
    for (const test::ShownMessage &shown : messages.shown)
        EXPECT_EQ(shown.title, QStringLiteral("モコペ！"));
}

const QStringList kOnePrinter = {QStringLiteral("Office_Laser")};

INSTANTIATE_TEST_SUITE_P(
    Journals, PrintStartCheckTest,
    ::testing::Values(
        StartCase{"BothAmountsEmpty",
                  QString(),
                  QString(),
                  kOnePrinter,
                  {QStringLiteral("最終行の金額を入力して下さい．")}},
        StartCase{"DebitOnly", QStringLiteral("100"), QString(), kOnePrinter, {}},
        StartCase{"CreditOnly", QString(), QStringLiteral("100"), kOnePrinter, {}},
        StartCase{"LastRowBeforeThePrinters",
                  QString(),
                  QString(),
                  {},
                  {QStringLiteral("最終行の金額を入力して下さい．")}},
        StartCase{
            "NoPrinter",
            QStringLiteral("100"),
            QString(),
            {},
            {QStringLiteral(
                "使用可能なプリンタが存在しません．\r\n印刷機能はプリンタを準備した後に可能となります．")}}));

TEST(LastRowCheck, EmptyJournalPassesOnItsHeadingRow)
{
    // Row 0 holds the headings, which are not empty.
    const journal::JournalGrid grid = test::journalOf({});
    test::ScriptedMessages messages;
    EXPECT_TRUE(lastRowCheck(grid, messages));
    EXPECT_TRUE(messages.shown.empty());
}

struct ChoiceCase {
    const char *name;
    QString requested;
    QString defaultPrinter;
    QString chosen;
    QStringList messages;
};

void PrintTo(const ChoiceCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChoosePrinterTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoosePrinterTest, NamedThenDefaultThenTheCheckedOne)
{
    const ChoiceCase &c = GetParam();
    test::FakePrinterService printers;
    printers.names = {QStringLiteral("A"), QStringLiteral("B")};
    printers.defaultName = c.defaultPrinter;
    test::ScriptedMessages messages;
    EXPECT_EQ(choosePrinter(c.requested, printers, messages), c.chosen);
    EXPECT_EQ(messages.texts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChoosePrinterTest,
    ::testing::Values(ChoiceCase{"Named", QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A"), {}},
                      ChoiceCase{"Default", QString(), QStringLiteral("A"), QStringLiteral("A"), {}},
                      ChoiceCase{"NoDefault", QString(), QString(), QStringLiteral("B"), {}},
                      ChoiceCase{"UnknownName",
                                 QStringLiteral("C"),
                                 QStringLiteral("A"),
                                 QString(),
                                 {QStringLiteral("プリンタ「C」が見つかりません．")}}));

TEST(SettlementPrintJob, TheJobGoesUnderTheJournalsNameOrTheDefault)
{
    const struct {
        QString sourceName;
        QString jobName;
    } cases[] = {
        {QStringLiteral("card.csv"), QStringLiteral("card.csv")},
        // A journal without a file name (the command's report once printed
        // such jobs without a name).
        {QString(), QStringLiteral("精算印刷")},
    };
    const journal::JournalGrid grid = test::sampleJournal(60);
    for (const auto &c : cases) {
        AppState state;
        state.history.cardKind = TransitCard;
        state.history.sourceName = c.sourceName;
        const SettlementPrintJob job =
            prepareSettlementReport(state, grid, QStringLiteral("精算金額：　　　0"));
        EXPECT_EQ(job.jobName, c.jobName);
        EXPECT_EQ(job.report.pageCount(), 2);
        test::FakePrinterService printers;
        test::ScriptedMessages messages;
        ASSERT_TRUE(printReport(job.report, job.jobName, QStringLiteral("Office"), printers, messages));
        ASSERT_EQ(printers.jobs.size(), 2u);
        EXPECT_EQ(printers.jobs[0].name, c.jobName + QStringLiteral(" (1/2)"));
        EXPECT_EQ(printers.jobs[1].name, c.jobName + QStringLiteral(" (2/2)"));
        EXPECT_TRUE(messages.shown.empty());
    }
}

} // namespace
} // namespace mokpe::output
