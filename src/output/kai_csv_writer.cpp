#include "output/kai_csv_writer.h"

#include "common/yen_amount.h"
#include "output/account_code_lookup.h"
#include "output/export_preflight.h"
#include "output/export_writer_sink.h"

namespace mokpe::output {

namespace {

// The summary keeps its first 32 characters.
constexpr int kSummaryWidth = 32;

template <class Sink> void emitKaiCsv(const ExportSource &source, Sink &sink)
{
    using namespace journal;
    AccountCodeCache codes(source.accounts, codeDigitsOf(source.fields.selectedFormat));
    DateFields dates(DateStyle::Fuurin);
    const int count = source.journal.journalRowCount();
    for (int i = 1; i <= count; ++i) {
        if (sink.stopAt(i))
            return;
        const RowTexts &row = source.journal.rowTexts(i);
        sink.beginRow(i);
        sink.fixed(u"0,0,0,");
        sink.date(DateColumn, dates.field(row[DateColumn]));
        sink.fixed(u",");
        sink.code(DebitAccountColumn, codes.code(row[DebitAccountColumn]));
        sink.fixed(u",");
        sink.cell(DebitAccountColumn, row[DebitAccountColumn], Quoting::Quoted);
        sink.fixed(u",0,");
        sink.code(CreditAccountColumn, codes.code(row[CreditAccountColumn]));
        sink.fixed(u",");
        sink.cell(CreditAccountColumn, row[CreditAccountColumn], Quoting::Quoted);
        sink.fixed(u",0,");
        sink.cell(CreditAmountColumn, common::yenAmountText(row[CreditAmountColumn]), Quoting::Bare);
        sink.fixed(u",");
        sink.cell(SummaryColumn, QStringView(row[SummaryColumn]).left(kSummaryWidth), Quoting::Quoted);
        // Field 14 is 5 whatever the dialog's tax option says.
        sink.fixed(u",21,5,0,0");
        sink.endLine();
    }
}

} // namespace

QString Fm3_KaiCsvWrite(QIODevice &out, const journal::JournalGrid &journal, const AccountCodeTable &accounts,
                        const ExportFields &fields, common::Progress &progress)
{
    common::Cp932LineWriter writer(out);
    const ExportSource source{journal, accounts, fields};
    WriterSink sink(writer, source, progress);
    emitKaiCsv(source, sink);
    return writer.finish();
}

void checkKaiCsv(const ExportSource &source, PreflightSink &sink)
{
    emitKaiCsv(source, sink);
}

} // namespace mokpe::output
