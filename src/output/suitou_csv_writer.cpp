#include "output/suitou_csv_writer.h"

#include "common/yen_amount.h"
#include "output/account_code_lookup.h"
#include "output/export_preflight.h"
#include "output/export_texts.h"
#include "output/export_writer_sink.h"

namespace mokpe::output {

namespace {

constexpr int kSummaryWidth = 32;

const QString kHeadingLine = QStringLiteral(
    "//識別フラグ,伝番,日付,借方科目,借方科目名称,借方科目正式名称,借方補助,借方補助名称,借方課区,借方税区,"
    "借方税入力方法,借方金額,借方消費税,貸方科目,貸方科目名称,貸方科目正式名称,貸方補助,貸方補助名称,"
    "貸方課区,"
    "貸方税区,貸方税入力方法,貸方金額,貸方消費税,摘要,借方取引科目,貸方取引科目,借方部門コード,借方部門名称,"
    "貸方部門コード,貸方部門名称");

template <class Sink> void emitHeader(const ExportSource &source, Sink &sink)
{
    const ExportFields &fields = source.fields;
    sink.beginRow(0);
    // Without a year-end date the first line stays empty.
    const QString yearEnd = yearEndEraText(fields);
    if (!yearEnd.isEmpty()) {
        sink.fixed(u"// ");
        sink.dialogText(DialogItem::CompanyCode, fields.companyCode, Quoting::Comment);
        sink.fixed(u" ");
        sink.dialogText(DialogItem::CompanyName, fields.companyName, Quoting::Comment);
        sink.fixed(u" ");
        sink.fixed(yearEnd);
        sink.fixed(u"決算");
    }
    sink.endLine();
    sink.fixed(u"// 出力期間 ： ");
    sink.dialogText(DialogItem::PeriodStart, eightDigitDate(fields.periodStart), Quoting::Comment);
    sink.fixed(u" ～ ");
    sink.dialogText(DialogItem::PeriodEnd, eightDigitDate(fields.periodEnd), Quoting::Comment);
    // The period line carries a line end of its own: an empty line follows it.
    sink.fixed(u" ");
    sink.endLine();
    sink.endLine();
    sink.fixed(kHeadingLine);
    sink.endLine();
}

template <class Sink> void emitSuitouCsv(const ExportSource &source, Sink &sink)
{
    using namespace journal;
    emitHeader(source, sink);
    AccountCodeCache codes(source.accounts, CodeDigits::Four);
    DateFields dates(DateStyle::Western);
    const int count = source.journal.journalRowCount();
    for (int i = 1; i <= count; ++i) {
        if (sink.stopAt(i))
            return;
        const RowTexts &row = source.journal.rowTexts(i);
        sink.beginRow(i);
        sink.fixed(u"1000,0,");
        sink.date(DateColumn, dates.field(row[DateColumn]));
        sink.fixed(u",");
        sink.code(DebitAccountColumn, codes.code(row[DebitAccountColumn]));
        sink.fixed(u",");
        sink.cell(DebitAccountColumn, row[DebitAccountColumn], Quoting::Quoted);
        sink.fixed(u",");
        sink.cell(DebitAccountColumn, row[DebitAccountColumn], Quoting::Quoted);
        sink.fixed(u",,\"\",\"\",\"\",\"\",");
        sink.cell(DebitAmountColumn, common::yenAmountText(row[DebitAmountColumn]), Quoting::Bare);
        sink.fixed(u",0,");
        sink.code(CreditAccountColumn, codes.code(row[CreditAccountColumn]));
        sink.fixed(u",");
        sink.cell(CreditAccountColumn, row[CreditAccountColumn], Quoting::Quoted);
        sink.fixed(u",");
        sink.cell(CreditAccountColumn, row[CreditAccountColumn], Quoting::Quoted);
        sink.fixed(u",,\"\",\"\",\"\",\"\",");
        sink.cell(CreditAmountColumn, common::yenAmountText(row[CreditAmountColumn]), Quoting::Bare);
        sink.fixed(u",0,");
        sink.cell(SummaryColumn, QStringView(row[SummaryColumn]).left(kSummaryWidth), Quoting::Quoted);
        sink.fixed(u",,,0,,0,");
        sink.endLine();
    }
}

} // namespace

QString Fm3_SuitouCsvWrite(QIODevice &out, const journal::JournalGrid &journal,
                           const AccountCodeTable &accounts, const ExportFields &fields,
                           common::Progress &progress)
{
    common::Cp932LineWriter writer(out);
    const ExportSource source{journal, accounts, fields};
    WriterSink sink(writer, source, progress);
    emitSuitouCsv(source, sink);
    return writer.finish();
}

void checkSuitouCsv(const ExportSource &source, PreflightSink &sink)
{
    emitSuitouCsv(source, sink);
}

} // namespace mokpe::output
