#include "output/export_preflight.h"

#include "output/export_texts.h"
#include "output/kai_csv_writer.h"
#include "output/kaikei_csv_writer.h"
#include "output/suitou_csv_writer.h"

#include <QStringList>

namespace mokpe::output {

namespace {

// A message box shows this many problems; the rest are counted.
constexpr int kListedProblems = 30;

QString itemCaption(DialogItem item)
{
    switch (item) {
    case DialogItem::CompanyCode:
        return QStringLiteral("商　号");
    case DialogItem::CompanyName:
        return QStringLiteral("会社名");
    case DialogItem::PeriodStart:
    case DialogItem::PeriodEnd:
        return QStringLiteral("出力期間");
    case DialogItem::TaxRate:
        return QStringLiteral("税区分");
    }
    return {};
}

QString reasonText(const PreflightProblem &p)
{
    // A fault in the account's code follows the account's name and names the code.
    const QString inCode = p.code.isEmpty() ? QString() : QStringLiteral("科目コード「%1」に").arg(p.code);
    switch (p.kind) {
    case PreflightProblem::Kind::NotCp932:
        return inCode + QStringLiteral("Shift_JIS(CP932)で表せない文字%1があります．")
                            .arg(common::describeCharacter(p.character));
    case PreflightProblem::Kind::UnreadableDate:
        return QStringLiteral("日付として読めません．");
    case PreflightProblem::Kind::NoAccountCode:
        return QStringLiteral("科目コード設定に無い勘定科目です（科目コードは空欄になります）．");
    case PreflightProblem::Kind::QuoteInQuoted:
        return QStringLiteral("「\"」があるため，CSVの項目の区切りが崩れます．");
    case PreflightProblem::Kind::SeparatorInBare:
        return inCode + QStringLiteral("「,」か「\"」があるため，CSVの項目の区切りが崩れます．");
    }
    return {};
}

QString problemLine(const PreflightProblem &p)
{
    const QString place =
        p.row > 0
            ? QStringLiteral("%1行目「%2」").arg(p.row).arg(journal::kHeadings[static_cast<size_t>(p.column)])
            : QStringLiteral("「%1」").arg(itemCaption(p.item));
    return QStringLiteral("%1：%2　%3").arg(place, p.text, reasonText(p));
}

QString problemList(const PreflightReport &report, bool refusalsFirst)
{
    std::vector<const PreflightProblem *> ordered;
    ordered.reserve(report.problems.size());
    for (const PreflightProblem &p : report.problems) {
        if (!refusalsFirst || p.refuses())
            ordered.push_back(&p);
    }
    if (refusalsFirst) {
        for (const PreflightProblem &p : report.problems) {
            if (!p.refuses())
                ordered.push_back(&p);
        }
    }
    QStringList lines;
    for (size_t i = 0; i < ordered.size() && i < static_cast<size_t>(kListedProblems); ++i)
        lines.append(problemLine(*ordered[i]));
    if (ordered.size() > static_cast<size_t>(kListedProblems))
        lines.append(QStringLiteral("ほか%1件").arg(ordered.size() - static_cast<size_t>(kListedProblems)));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace

bool PreflightReport::refused() const
{
    for (const PreflightProblem &p : problems) {
        if (p.refuses())
            return true;
    }
    return false;
}

void PreflightSink::add(PreflightProblem problem)
{
    // A text written twice on one line (the 出納帳 names) is listed once.
    if (!problems_.empty()) {
        const PreflightProblem &last = problems_.back();
        if (last.kind == problem.kind && last.row == problem.row && last.column == problem.column &&
            last.item == problem.item && last.text == problem.text && last.code == problem.code) {
            return;
        }
    }
    problems_.push_back(std::move(problem));
}

std::optional<PreflightProblem> PreflightSink::textFault(QStringView text, Quoting quoting)
{
    // One pass over the cell: a character CP932 cannot hold is told before a
    // quote or a comma, wherever each stands.
    bool quote = false;
    bool comma = false;
    const char16_t *chars = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = chars[i];
        if (c >= 0x80 || !encoder_.valid()) {
            if (!encoder_.holds(c)) {
                PreflightProblem p = PreflightProblem::of(PreflightProblem::Kind::NotCp932);
                p.character = common::codePointAt(text, i);
                return p;
            }
        } else if (c == u'"') {
            quote = true;
        } else if (c == u',') {
            comma = true;
        }
    }
    if (quoting == Quoting::Quoted && quote)
        return PreflightProblem::of(PreflightProblem::Kind::QuoteInQuoted);
    if (quoting == Quoting::Bare && (comma || quote))
        return PreflightProblem::of(PreflightProblem::Kind::SeparatorInBare);
    return std::nullopt;
}

size_t PreflightSink::soundSlot(const char16_t *chars, qsizetype size)
{
    // Heap addresses differ in their middle bits: a multiplication brings
    // them to the top, from where the slot is taken.
    const quint64 key =
        (static_cast<quint64>(reinterpret_cast<quintptr>(chars)) ^ static_cast<quint64>(size)) *
        0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(key >> 52) % kSoundSlots;
}

bool PreflightSink::soundBefore(int column, QStringView text, Quoting quoting) const
{
    const QStringView cell = source_.journal.text(row_, column);
    const char16_t *const chars = text.utf16();
    // Only a text within the cell's own string: its characters cannot have
    // been freed and their place taken by other ones.
    if (text.isEmpty() || chars < cell.utf16() || chars + text.size() > cell.utf16() + cell.size())
        return false;
    const Sound &slot = sound_[soundSlot(chars, text.size())];
    return slot.chars == chars && slot.size == text.size() && slot.quoting == quoting;
}

void PreflightSink::remember(QStringView text, Quoting quoting)
{
    if (!text.isEmpty())
        sound_[soundSlot(text.utf16(), text.size())] = {text.utf16(), text.size(), quoting};
}

void PreflightSink::cell(int column, QStringView text, Quoting quoting)
{
    if (soundBefore(column, text, quoting))
        return;
    std::optional<PreflightProblem> fault = textFault(text, quoting);
    if (!fault) {
        remember(text, quoting);
        return;
    }
    fault->row = row_;
    fault->column = column;
    fault->text = source_.journal.text(row_, column);
    add(std::move(*fault));
}

void PreflightSink::code(int column, const QString &code)
{
    const QString &name = source_.journal.text(row_, column);
    if (code.isEmpty()) {
        if (name.isEmpty())
            return;
        PreflightProblem p = PreflightProblem::of(PreflightProblem::Kind::NoAccountCode);
        p.row = row_;
        p.column = column;
        p.text = name;
        add(std::move(p));
        return;
    }
    // The code is whatever the account code table holds between its commas:
    // the editor checks only the list's 3-digit codes, and the file may have
    // been edited by hand. A double quote in it shifts every later field.
    for (const QString &sound : soundCodes_) {
        if (sound.constData() == code.constData() && sound.size() == code.size())
            return;
    }
    std::optional<PreflightProblem> fault = textFault(code, Quoting::Bare);
    if (!fault) {
        soundCodes_[nextSoundCode_] = code;
        nextSoundCode_ = (nextSoundCode_ + 1) % soundCodes_.size();
        return;
    }
    fault->row = row_;
    fault->column = column;
    fault->text = name;
    fault->code = code;
    add(std::move(*fault));
}

void PreflightSink::date(int column, const QString &field)
{
    if (!field.isEmpty())
        return;
    PreflightProblem p = PreflightProblem::of(PreflightProblem::Kind::UnreadableDate);
    p.row = row_;
    p.column = column;
    p.text = source_.journal.text(row_, column);
    add(std::move(p));
}

void PreflightSink::dialogText(DialogItem item, QStringView text, Quoting quoting)
{
    std::optional<PreflightProblem> fault = textFault(text, quoting);
    if (!fault)
        return;
    fault->item = item;
    fault->text = dialogValue(item);
    add(std::move(*fault));
}

QString PreflightSink::dialogValue(DialogItem item) const
{
    const ExportFields &fields = source_.fields;
    switch (item) {
    case DialogItem::CompanyCode:
        return fields.companyCode;
    case DialogItem::CompanyName:
        return fields.companyName;
    case DialogItem::PeriodStart:
        return eightDigitDate(fields.periodStart);
    case DialogItem::PeriodEnd:
        return eightDigitDate(fields.periodEnd);
    case DialogItem::TaxRate:
        return fields.rememberedRate;
    }
    return {};
}

PreflightReport checkExportTexts(const ExportSource &source, common::Progress &progress)
{
    PreflightReport report;
    PreflightSink sink(source, report.problems, progress);
    switch (source.fields.selectedFormat) {
    case SuitouFormat:
        checkSuitouCsv(source, sink);
        break;
    case KaikeiFormat:
        checkKaikeiCsv(source, sink);
        break;
    case FuurinFormat3:
    case FuurinFormat4:
        checkKaiCsv(source, sink);
        break;
    default:
        break;
    }
    return report;
}

QString preflightRefusalMessage(const PreflightReport &report)
{
    return QStringLiteral("次の内容はCSVファイルに書き出せないため，出力を中止しました．\r\n") +
           problemList(report, true);
}

QString preflightQuestion(const PreflightReport &report)
{
    return QStringLiteral("次の内容は，このまま出力されます．\r\n") + problemList(report, false) +
           QStringLiteral("\r\n\r\nこのまま出力しますか？");
}

} // namespace mokpe::output
