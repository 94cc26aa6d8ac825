// Every writer that writes into a device, against a device that fills up
// after N bytes: the failure is reported with the device's reason, and what
// reached the device is the start of the whole file, never a mix of pieces
// written after the failure.
#include "common/app_state.h"
#include "journal/journal_file.h"
#include "output/export_fields.h"
#include "output/kai_csv_writer.h"
#include "output/kaikei_csv_writer.h"
#include "output/suitou_csv_writer.h"

#include "support/export_fixture.h"
#include "support/failing_device.h"
#include "support/report_journals.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>

namespace mokpe::output {
namespace {

const QString kReason = QStringLiteral("デバイスがいっぱいです");

struct Source {
    journal::JournalGrid journal = test::sampleJournal(2000);
    AccountCodeTable accounts;
    ExportFields fields;
    Source()
    {
        accounts.lines = test_support::wAccountLines();
        accounts.lastIndex = static_cast<int>(accounts.lines.size()) - 1;
        fields.companyCode = QStringLiteral("0123");
        fields.companyName = QStringLiteral("株式会社見本");
        fields.yearEnd = {QStringLiteral("2026"), QStringLiteral("3"), QStringLiteral("31")};
        fields.periodStart = {QStringLiteral("2025"), QStringLiteral("4"), QStringLiteral("1")};
        fields.periodEnd = {QStringLiteral("2026"), QStringLiteral("3"), QStringLiteral("31")};
        fields.rateBox = fields.rememberedRate = QStringLiteral("10");
    }
};

using Writer = std::function<QString(QIODevice &, const Source &)>;

struct WriterCase {
    const char *name;
    Writer write;
};

void PrintTo(const WriterCase &c, std::ostream *os)
{
    *os << c.name;
}

Writer exportWriter(int format, QString (*write)(QIODevice &, const journal::JournalGrid &,
                                                 const AccountCodeTable &, const ExportFields &))
{
    return [format, write](QIODevice &out, const Source &source) {
        ExportFields fields = source.fields;
        fields.selectedFormat = format;
        return write(out, source.journal, source.accounts, fields);
    };
}

class DeviceFailureTest : public ::testing::TestWithParam<WriterCase> {};

TEST_P(DeviceFailureTest, IsReportedAndNothingFollowsTheFailure)
{
    const WriterCase &c = GetParam();
    const Source source;
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    ASSERT_EQ(c.write(whole, source), QString());
    const qint64 total = whole.data().size();
    // Large enough to be written in several pieces.
    ASSERT_GT(total, 100000);

    for (const qint64 capacity : {qint64{0}, qint64{1}, total / 2, total - 1}) {
        SCOPED_TRACE(capacity);
        test::FailingDevice device(capacity, kReason);
        const QString error = c.write(device, source);
        EXPECT_TRUE(error.contains(kReason)) << error.toStdString();
        EXPECT_EQ(device.written(), whole.data().left(capacity));
        EXPECT_EQ(device.writesAfterFailure(), 0);
    }
    // A device with room for exactly the file takes it whole.
    test::FailingDevice roomy(total, kReason);
    EXPECT_EQ(c.write(roomy, source), QString());
    EXPECT_EQ(roomy.written(), whole.data());
}

INSTANTIATE_TEST_SUITE_P(
    Writers, DeviceFailureTest,
    ::testing::Values(WriterCase{"JournalFile",
                                 [](QIODevice &out, const Source &source) {
                                     return journal::writeJournalFile(out, source.journal,
                                                                      QStringLiteral("j.csv"));
                                 }},
                      WriterCase{"Suitou", exportWriter(SuitouFormat, Fm3_SuitouCsvWrite)},
                      WriterCase{"Kaikei", exportWriter(KaikeiFormat, Fm3_KaikeiCsvWrite)},
                      WriterCase{"Fuurin3", exportWriter(FuurinFormat3, Fm3_KaiCsvWrite)},
                      WriterCase{"Fuurin4", exportWriter(FuurinFormat4, Fm3_KaiCsvWrite)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace mokpe::output
