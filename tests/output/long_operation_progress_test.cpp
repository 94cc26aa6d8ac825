// The long loops of the core tell their progress coarsely, in order, up to
// their end; and where the user may stop them, a stop leaves nothing half done.
#include "common/progress.h"
#include "common/text_file.h"
#include "journal/journal_build.h"
#include "journal/journal_file.h"
#include "output/csv_export.h"
#include "output/report_painter.h"
#include "output/settlement_print.h"
#include "output/settlement_report.h"
#include "support/export_fixture.h"
#include "support/file_helpers.h"
#include "support/report_journals.h"
#include "support/scripted_services.h"

#include <QBuffer>
#include <QDir>
#include <QPainter>
#include <QPdfWriter>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe::output {
namespace {

using test_support::ExportFixture;
using test_support::settingsFor;

// Records what an operation tells; asks it to stop once `stopAfter` values
// have been told (never when negative).
class RecordingProgress final : public common::Progress {
public:
    explicit RecordingProgress(int stopAfter = -1) : stopAfter_(stopAfter) {}
    void setRange(qint64 total) override { ranges.push_back(total); }
    void setValue(qint64 done) override { values.push_back(done); }
    bool wasCanceled() const override
    {
        return stopAfter_ >= 0 && values.size() >= static_cast<size_t>(stopAfter_);
    }
    std::vector<qint64> ranges;
    std::vector<qint64> values;

private:
    int stopAfter_;
};

constexpr int kLines = 10000;

QByteArray transitHistoryBytes(int lines)
{
    QString text = QStringLiteral("利用年月日,種別,事業者,駅,種別,事業者,駅,残額,備考\r\n");
    for (int i = 0; i < lines; ++i)
        text += QStringLiteral("2008/07/21,入場,JR東,新宿,出場,JR東,渋谷,%1,\r\n").arg(100000 - i * 7);
    return test::cp932(text);
}

CardHistory historyOf(const QStringList &lines, int kind)
{
    CardHistory history;
    history.lines = lines;
    history.lastLineIndex = static_cast<int>(lines.size()) - 1;
    history.lines.append(QString());
    history.cardKind = kind;
    return history;
}

QStringList decodedLines(const QByteArray &bytes)
{
    return common::decodeTextBytes(bytes, common::TextEncoding::Cp932, QStringLiteral("h.csv")).lines;
}

QStringList journalFileLines(int rows)
{
    QStringList lines{QStringLiteral("No.,日付,借方科目,借方金額,貸方科目,貸方金額,摘要")};
    for (int r = 1; r <= rows; ++r)
        lines.append(QStringLiteral("%1,2008/07/21,旅費交通,160,電子マネー,160,新宿 渋谷").arg(r));
    return lines;
}

// One long operation: run under `progress`, true when it went to its end.
struct Operation {
    const char *what;
    // The steps of the whole operation.
    qint64 total;
    std::function<bool(common::Progress &)> run;
};

std::vector<Operation> operations(ExportFixture &f, test::ScriptedServices &printing)
{
    const QByteArray history = transitHistoryBytes(kLines);
    const QStringList historyLines = decodedLines(history);
    const QStringList journalLines = journalFileLines(kLines);
    const int journalRows = f.grid.journalRowCount();
    return {
        {"decoding a history", kLines + 1,
         [history](common::Progress &p) {
             return common::decodeTextBytes(history, common::TextEncoding::Cp932, QStringLiteral("h.csv"), p)
                 .ok;
         }},
        {"building a transit journal", kLines + 1,
         [historyLines](common::Progress &p) {
             journal::JournalGrid grid;
             grid.initialise(journal::kMinimumRowTotal);
             return journal::Fm2_JournalBuild(grid, historyOf(historyLines, TransitCard),
                                              QStringLiteral("電子マネー"), QString(), {}, p);
         }},
        {"loading a journal file", kLines + 1,
         [journalLines](common::Progress &p) {
             journal::JournalGrid grid;
             grid.initialise(journal::kMinimumRowTotal);
             return journal::Fm2_JournalLoad(grid, historyOf(journalLines, JournalFile), QString(), p);
         }},
        {"checking and writing an export", qint64{2} * journalRows,
         [&f](common::Progress &p) {
             return writeExportFile(f.fields, f.state, f.grid, f.file(QStringLiteral("out.csv")),
                                    f.services.messages, p) == ExportOutcome::Written;
         }},
        {"painting the report", 3,
         [](common::Progress &p) {
             const journal::JournalGrid grid = test::sampleJournal(2 * kReportRowsPerPage + 1);
             const SettlementReport report(grid, TransitCard, QStringLiteral("h.csv"), QString(),
                                           QStringLiteral("電子マネー"), ReportFontMetrics());
             QBuffer buffer;
             buffer.open(QIODevice::WriteOnly);
             QPdfWriter writer(&buffer);
             setUpReportPage(writer);
             QPainter painter(&writer);
             paintReport(painter, writer, report, p);
             return true;
         }},
        {"printing the report page by page", 3,
         [&printing](common::Progress &p) {
             const journal::JournalGrid grid = test::sampleJournal(2 * kReportRowsPerPage + 1);
             const SettlementReport report(grid, TransitCard, QStringLiteral("h.csv"), QString(),
                                           QStringLiteral("電子マネー"), ReportFontMetrics());
             return printReport(report, QStringLiteral("h.csv"), QStringLiteral("Office"), printing.printers,
                                printing.messages, p);
         }},
    };
}

struct ProgressTest : ::testing::Test {
    ExportFixture f{settingsFor(QStringLiteral("2"))};
    test::ScriptedServices printing;

    ProgressTest()
    {
        QStringList rows;
        for (int r = 0; r < kLines; ++r)
            rows.append(QStringLiteral("2026/01/06|旅費交通費|160|電子マネー|160|乗車"));
        f.grid.setRowTotal(kLines + 1);
        f.setJournal(rows);
        f.openDialog();
        printing.printers.names = {QStringLiteral("Office")};
        printing.printers.defaultName = QStringLiteral("Office");
    }
};

TEST_F(ProgressTest, EveryLongOperationTellsOrderedCoarseStepsUpToItsEnd)
{
    for (const Operation &op : operations(f, printing)) {
        RecordingProgress progress;
        ASSERT_TRUE(op.run(progress)) << op.what;
        ASSERT_EQ(progress.ranges.size(), 1u) << op.what;
        EXPECT_EQ(progress.ranges.front(), op.total) << op.what;
        ASSERT_FALSE(progress.values.empty()) << op.what;
        EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end())) << op.what;
        EXPECT_GE(progress.values.front(), 0) << op.what;
        EXPECT_EQ(progress.values.back(), op.total) << op.what;
        // A few tellings per stride, never one per line or row.
        EXPECT_LE(progress.values.size(), static_cast<size_t>(op.total / common::ProgressSteps::kStride + 8))
            << op.what;
    }
}

TEST_F(ProgressTest, AStoppedOperationLeavesNothingHalfDone)
{
    // Decoding: no lines and nothing to tell.
    {
        RecordingProgress progress(2);
        const common::TextReadResult read = common::decodeTextBytes(
            transitHistoryBytes(kLines), common::TextEncoding::Cp932, QStringLiteral("h.csv"), progress);
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(read.cancelled);
        EXPECT_TRUE(read.lines.isEmpty());
        EXPECT_TRUE(read.error.isEmpty());
    }
    // An export stopped in its check or in its writing: the old file whole, one short message.
    for (int stopAfter : {1, 4}) {
        const QString out = f.file(QStringLiteral("kept.csv"));
        test::writeBytes(out, "old export\r\n");
        f.services.messages.shown.clear();
        RecordingProgress progress(stopAfter);
        EXPECT_EQ(writeExportFile(f.fields, f.state, f.grid, out, f.services.messages, progress),
                  ExportOutcome::Stopped)
            << stopAfter;
        EXPECT_EQ(test::fileBytes(out), QByteArray("old export\r\n")) << stopAfter;
        EXPECT_EQ(f.services.messages.texts(), QStringList{kExportStoppedMessage}) << stopAfter;
        EXPECT_EQ(QDir(f.program.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("kept")),
                  QStringList{QStringLiteral("kept.csv")})
            << stopAfter;
    }
    // A print stopped after its first page says so and sends no other page.
    {
        const journal::JournalGrid grid = test::sampleJournal(2 * kReportRowsPerPage + 1);
        const SettlementReport report(grid, TransitCard, QStringLiteral("h.csv"), QString(),
                                      QStringLiteral("電子マネー"), ReportFontMetrics());
        RecordingProgress progress(2);
        EXPECT_FALSE(printReport(report, QStringLiteral("h.csv"), QStringLiteral("Office"), printing.printers,
                                 printing.messages, progress));
        EXPECT_EQ(printing.printers.jobs.size(), 1u);
        EXPECT_EQ(printing.messages.texts(), QStringList{kPrintStoppedMessage.arg(3).arg(1)});
    }
}

} // namespace
} // namespace mokpe::output
