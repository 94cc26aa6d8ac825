#pragma once

#include "common/app_state.h"
#include "output/export_fields.h"

// The option buttons of the export dialog: which formats the code system
// offers, which one is selected, the tax options, the fields the 楓林 code system
// has no use for.
namespace mokpe::output {

// The settings record's format choice as a number (0 when it is not one).
int formatChoiceValue(const AppState &state);

// Disables and deselects the four format options, then enables the two of the
// code system in force and selects the one of the format choice.
void Fm3_SelectedKamoku(ExportFields &fields, AppState &state);

// A click on the option of `format`: only an enabled option takes it, and then
// the format choice becomes its value. Returns whether it was taken.
bool selectFormat(ExportFields &fields, AppState &state, int format);

// "実　行"'s first step: the options of the code system enabled and the one of
// the format choice selected, without deselecting first; true when one of the
// four is selected.
bool Fm3_FormatCheck(ExportFields &fields, AppState &state);

// Company name, fiscal year-end and period are used by the Ｗ code system's
// formats only: disabled under the 楓林 code system (state 0).
bool companyFieldsEnabled(qint16 codeSystemState);

// "空欄で出力": the rate box's text is remembered and the box hidden.
void chooseTaxBlank(ExportFields &fields);
// "任意で出力": the box shown again with the remembered rate.
void chooseTaxRate(ExportFields &fields);
inline bool rateBoxVisible(const ExportFields &fields)
{
    return !fields.taxBlank;
}

} // namespace mokpe::output
