#include "output/kaikei_csv_writer.h"

#include "common/decimal_text.h"
#include "common/yen_amount.h"
#include "output/account_code_lookup.h"
#include "output/export_preflight.h"
#include "output/export_texts.h"
#include "output/export_writer_sink.h"

namespace mokpe::output {

namespace {

constexpr int kNameWidth = 4;
constexpr int kSummaryWidth = 32;
constexpr int kCompanyNameWidth = 20;
constexpr int kBlankFieldWidth = 12;

const QString kHeadingLine =
    QStringLiteral("\"番号\",\"\",\"伝番\",\"部門\",,\"日付\",\"借方科目\",,\"借方補助\",,"
                   "\"貸方科目\",,\"貸方補助\",,\"金額\",\"摘要\",\"課区\",,\"税区\",,"
                   "\"税計算区分\",\"資金\",,");

template <class Sink> void emitHeader(const ExportSource &source, Sink &sink)
{
    const ExportFields &fields = source.fields;
    sink.beginRow(0);
    sink.fixed(u"\"＜商号Ｃ＞\",");
    sink.dialogText(DialogItem::CompanyCode, fields.companyCode, Quoting::Bare);
    sink.fixed(u",");
    sink.endLine();
    sink.fixed(u"\"＜商号名＞\",");
    // Padded to 20 characters; a longer name is written whole.
    QString name = fields.companyName;
    if (name.size() < kCompanyNameWidth)
        name = Fm3_ZenPad(name, kCompanyNameWidth);
    sink.dialogText(DialogItem::CompanyName, name, Quoting::Quoted);
    sink.fixed(u",");
    sink.endLine();
    // Without a year-end date the line stays empty.
    const QString yearEnd = yearEndEraText(fields);
    if (!yearEnd.isEmpty()) {
        sink.fixed(u"\"＜決算年月日＞\",\"");
        sink.fixed(yearEnd);
        sink.fixed(u"\",");
    }
    sink.endLine();
    sink.fixed(u"\"＜会計処理方法＞\",\"税抜処理\",");
    sink.endLine();
    sink.endLine();
    sink.fixed(u"\"＜仕訳一覧＞\",");
    sink.endLine();
    sink.fixed(kHeadingLine);
    sink.endLine();
}

template <class Sink> void emitKaikeiCsv(const ExportSource &source, Sink &sink)
{
    using namespace journal;
    const ExportFields &fields = source.fields;
    // Taken when the writer starts, like the count of the closing lines.
    const int count = source.journal.journalRowCount();
    emitHeader(source, sink);

    AccountCodeCache codes(source.accounts, CodeDigits::Three);
    DateFields dates(DateStyle::Era);
    const QString blankField = QString(kBlankFieldWidth, kFullWidthSpace);
    // The rate in full-width digits is the same on every row; an invalid rate
    // leaves the digits out (the caller has told the user once).
    const QString rateWords = QStringLiteral("税率　") +
                              Fm3_ZenNumber(fields.rememberedRate).value_or(QString()) +
                              QStringLiteral("％　　　");
    common::DecimalText number;
    for (int i = 1; i <= count; ++i) {
        if (sink.stopAt(i))
            return;
        const RowTexts &row = source.journal.rowTexts(i);
        sink.beginRow(i);
        sink.fixed(number.of(i));
        sink.fixed(u",\"　\",0,0,\"");
        sink.fixed(blankField);
        sink.fixed(u"\",");
        sink.date(DateColumn, dates.field(row[DateColumn]));
        sink.fixed(u",");
        sink.code(DebitAccountColumn, codes.code(row[DebitAccountColumn]));
        sink.fixed(u",");
        sink.fittedCell(DebitAccountColumn, row[DebitAccountColumn], kNameWidth);
        sink.fixed(u",,\"\",");
        sink.code(CreditAccountColumn, codes.code(row[CreditAccountColumn]));
        sink.fixed(u",");
        sink.fittedCell(CreditAccountColumn, row[CreditAccountColumn], kNameWidth);
        sink.fixed(u",,\"\",");
        sink.cell(CreditAmountColumn, common::yenAmountText(row[CreditAmountColumn]), Quoting::Bare);
        sink.fixed(u",");
        sink.fittedCell(SummaryColumn, row[SummaryColumn], kSummaryWidth);
        sink.fixed(u",");
        if (fields.taxBlank) {
            sink.fixed(u",,,,");
        } else {
            sink.fixed(u"0,\"仕入対課税売上\",");
            sink.dialogText(DialogItem::TaxRate, fields.rememberedRate, Quoting::Bare);
            sink.fixed(u",\"");
            sink.fixed(rateWords);
            sink.fixed(u"\",");
        }
        sink.fixed(u"0,,,");
        sink.endLine();
    }

    sink.beginRow(0);
    sink.fixed(u"\"＜仕訳一覧終了＞\",");
    sink.endLine();
    sink.fixed(u"\"＜仕訳数＞\",\"");
    sink.fixed(QString::number(count));
    sink.fixed(u"件\",");
    sink.endLine();
    sink.fixed(u"\"＜表示順＞\",\"番号順\",");
    sink.endLine();
}

} // namespace

QString Fm3_KaikeiCsvWrite(QIODevice &out, const journal::JournalGrid &journal,
                           const AccountCodeTable &accounts, const ExportFields &fields,
                           common::Progress &progress)
{
    common::Cp932LineWriter writer(out);
    const ExportSource source{journal, accounts, fields};
    WriterSink sink(writer, source, progress);
    emitKaikeiCsv(source, sink);
    return writer.finish();
}

void checkKaikeiCsv(const ExportSource &source, PreflightSink &sink)
{
    emitKaikeiCsv(source, sink);
}

} // namespace mokpe::output
