#pragma once

#include "output/export_fields.h"

#include <QDate>
#include <QString>

#include <optional>

// Text rules of the export: widths in full-width characters, the tax rate in
// full-width digits, the company code and the default file names.
namespace mokpe::output {

inline const QChar kFullWidthSpace(0x3000);

// Cut to the first `width` characters, or padded at the end with full-width
// spaces to `width`.
QString Fm3_ZenPad(const QString &s, int width);

// The tax rate in full-width digits: each half-width digit as its full-width
// form, every other character dropped (12.5 gives １２５). Empty when the text
// does not begin with a half-width digit: the caller tells the user once per
// export.
std::optional<QString> Fm3_ZenNumber(const QString &rate);

// A month or day text as two digits with a leading zero ("3" gives "03"); an
// empty text stays empty and a text that is not a number stays as it is.
QString twoDigitText(const QString &s);

// Year box + two-digit month + two-digit day: 20080401.
QString eightDigitDate(const DateBoxes &date);

struct PaddedCompanyCode {
    QString code;
    // Longer than four characters: the user is told, and the code is used as it is.
    bool tooLong = false;
};
// Leading "0" up to four characters: "" gives 0000, "7" gives 0007.
PaddedCompanyCode padCompanyCode(const QString &code);

// Today as YYMMDD: 260106 for 6 January 2026.
QString dateStamp(QDate today);

// 出納帳: stamp + "出納帳" + source name; 会計: stamp + "会計" + source name;
// 楓林 (either): company code + "KAI.CSV". Empty for no format.
QString defaultExportFileName(int format, const QString &dateStamp, const QString &sourceName,
                              const QString &companyCode);

} // namespace mokpe::output
