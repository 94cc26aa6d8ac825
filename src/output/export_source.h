#pragma once

#include "common/app_state.h"
#include "journal/journal_grid.h"
#include "output/era_date.h"
#include "output/export_fields.h"

#include <QString>

// What the three writers read, and the pieces they share.
namespace mokpe::output {

// The journal rows 1 to the journal row count, the account code table and the
// dialog's values: plain data, no window.
struct ExportSource {
    const journal::JournalGrid &journal;
    const AccountCodeTable &accounts;
    const ExportFields &fields;
};

// How a text stands in its line.
enum class Quoting {
    Bare,    // a CSV field without quotes
    Quoted,  // a CSV field enclosed in double quotes, written as it is
    Comment, // part of a comment line, not a CSV field
};

// The dialog's values that reach the file.
enum class DialogItem { CompanyCode, CompanyName, PeriodStart, PeriodEnd, TaxRate };

enum class DateStyle {
    Western, // 20080719 (出納帳)
    Era,     // era year + MMDD: 200719, 80106 (会計)
    Fuurin,  // as Era, Reiwa counted on from Heisei: 380106 (楓林)
};

// The date field of a journal date text, in one style; empty when the text
// cannot be read as a date.
class DateFields {
public:
    explicit DateFields(DateStyle style) : style_(style) {}
    const QString &field(const QString &dateText);

private:
    DateStyle style_;
    EraCalendar calendar_;
    // Consecutive rows mostly share a date.
    QString lastText_;
    QString lastField_;
    bool haveLast_ = false;
};

// The fiscal year-end date of the dialog (year box / month / day, month and
// day with a leading zero) in era form, 平成21年3月31日; empty when the boxes do
// not make a date.
QString yearEndEraText(const ExportFields &fields);

} // namespace mokpe::output
