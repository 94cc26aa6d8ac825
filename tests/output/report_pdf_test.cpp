#include "output/report_pdf.h"

#include "common/app_state.h"
#include "output/settlement_report.h"

#include "support/file_helpers.h"
#include "support/full_disk.h"
#include "support/pdf_words.h"
#include "support/report_journals.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

// Positions read back from the PDF are within this of the layout's.
constexpr double kToleranceMm = 0.3;

void expectPagesMatchLayout(const std::vector<test::PdfPageWords> &pages, const SettlementReport &report)
{
    ASSERT_EQ(static_cast<int>(pages.size()), report.pageCount());
    for (int index = 0; index < report.pageCount(); ++index) {
        SCOPED_TRACE(index + 1);
        const test::PdfPageWords &page = pages[static_cast<size_t>(index)];
        EXPECT_NEAR(page.widthMm, 210, 0.1);
        EXPECT_NEAR(page.heightMm, 297, 0.1);
        for (const ReportText &text : report.page(index).texts) {
            QString nearest;
            EXPECT_TRUE(test::wordBeginsTextAt(page, text.x, text.y, text.text, kToleranceMm, &nearest))
                << text.text.toStdString() << " at " << text.x << ", " << text.y << " (found there: \""
                << nearest.toStdString() << "\")";
        }
    }
}

TEST(ReportPdf, EveryTextStandsWithinAThirdOfAMillimetreOfItsPlace)
{
    const journal::JournalGrid grid = test::sampleJournal(120);
    const SettlementReport report(grid, TransitCard, QStringLiteral("交通履歴_20260106.csv"),
                                  QStringLiteral("精算金額：　　　-12,345"), QStringLiteral("電子マネー"),
                                  ReportFontMetrics());
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("精算.pdf"));
    ASSERT_EQ(writeReportPdf(path, report), QString());
    const std::vector<test::PdfPageWords> pages = test::readPdfWords(path);
    expectPagesMatchLayout(pages, report);

    // The Japanese texts come back as text (the face is embedded with its
    // character map), not as boxes.
    ASSERT_EQ(pages.size(), 3u);
    // Poppler may split a bold word in two: compare without spaces.
    const QString first = test::withoutSpaces(test::pageText(pages[0]));
    for (const char16_t *expected : {u"交通系電子マネー", u"交通履歴_20260106.csv", u"相手科目",
                                     u"旅費交通費", u"山田，入渋谷出新宿", u"Page:1/3"})
        EXPECT_TRUE(first.contains(QString::fromUtf16(expected))) << first.toStdString();
    const QString last = test::withoutSpaces(test::pageText(pages[2]));
    EXPECT_TRUE(last.contains(QStringLiteral("精算金額：")) && last.contains(QStringLiteral("-12,345")))
        << last.toStdString();
}

TEST(ReportPdf, EmptyJournalAndMendedTextsAlsoStandInPlace)
{
    const journal::JournalGrid empty = test::journalOf({});
    const SettlementReport emptyReport(empty, Edy, QStringLiteral("edy.csv"),
                                       QStringLiteral("精算金額：　　　0"), QStringLiteral("電子マネー"),
                                       ReportFontMetrics());
    test::TempFolder folder;
    ASSERT_EQ(writeReportPdf(folder.file(QStringLiteral("empty.pdf")), emptyReport), QString());
    expectPagesMatchLayout(test::readPdfWords(folder.file(QStringLiteral("empty.pdf"))), emptyReport);

    journal::JournalGrid grid = test::sampleJournal(3);
    grid.setText(1, journal::NumberColumn, QStringLiteral("1000"));
    grid.setText(2, journal::DebitAmountColumn, QStringLiteral("-1234567890"));
    grid.setText(3, journal::SummaryColumn,
                 QStringLiteral("東京都新宿区西新宿二丁目渋谷駅前交差点品川横浜から川崎まで"));
    const SettlementReport mended(grid, MoneyReport, QStringLiteral("money.csv"), QString(),
                                  QStringLiteral("電子マネー"), ReportFontMetrics());
    ASSERT_EQ(writeReportPdf(folder.file(QStringLiteral("mended.pdf")), mended), QString());
    expectPagesMatchLayout(test::readPdfWords(folder.file(QStringLiteral("mended.pdf"))), mended);
}

TEST(ReportPdf, FailedWriteLeavesTheOldFileWhole)
{
    const journal::JournalGrid grid = test::sampleJournal(60);
    const SettlementReport report(grid, TransitCard, QStringLiteral("a.csv"),
                                  QStringLiteral("精算金額：　　　1"), QStringLiteral("電子マネー"),
                                  ReportFontMetrics());
    test::FullDiskFolder disk;
    if (const QString why = disk.cannotFillReason(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString path = disk.file(QStringLiteral("report.pdf"));
    test::writeBytes(path, "old report");
    disk.makeFull();
    const QString error = writeReportPdf(path, report);
    disk.release();
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．").arg(QDir::toNativeSeparators(path))))
        << error.toStdString();
    EXPECT_EQ(test::fileBytes(path), QByteArray("old report"));

    const QString missingFolder = disk.file(QStringLiteral("no such folder/report.pdf"));
    EXPECT_FALSE(writeReportPdf(missingFolder, report).isEmpty());
}

} // namespace
} // namespace mokpe::output
