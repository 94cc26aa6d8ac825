#include "output/export_options.h"

#include "common/vb_strings.h"

namespace mokpe::output {

namespace {

size_t optionIndex(int format)
{
    return static_cast<size_t>(format - 1);
}

// Steps 2 to 4 of the option set-up: the code system's two options enabled and
// the one of the format choice selected.
void offerCodeSystemFormats(ExportFields &fields, AppState &state)
{
    int first = NoFormat;
    if (state.codeSystemState == 1)
        first = SuitouFormat;
    else if (state.codeSystemState == 0)
        first = FuurinFormat3;
    else
        return;
    fields.optionEnabled[optionIndex(first)] = true;
    fields.optionEnabled[optionIndex(first + 1)] = true;
    const int choice = formatChoiceValue(state);
    if (choice == first || choice == first + 1)
        selectFormat(fields, state, choice);
}

} // namespace

int formatChoiceValue(const AppState &state)
{
    const std::optional<qint64> n = common::toWholeNumber(state.settings.formatChoice);
    return n && *n >= 0 && *n <= kFormatCount ? static_cast<int>(*n) : 0;
}

void Fm3_SelectedKamoku(ExportFields &fields, AppState &state)
{
    fields.optionEnabled.fill(false);
    fields.selectedFormat = NoFormat;
    offerCodeSystemFormats(fields, state);
}

bool selectFormat(ExportFields &fields, AppState &state, int format)
{
    if (format < 1 || format > kFormatCount || !fields.optionEnabled[optionIndex(format)])
        return false;
    fields.selectedFormat = format;
    state.settings.formatChoice = QString::number(format);
    return true;
}

bool Fm3_FormatCheck(ExportFields &fields, AppState &state)
{
    offerCodeSystemFormats(fields, state);
    return fields.selectedFormat != NoFormat;
}

bool companyFieldsEnabled(qint16 codeSystemState)
{
    return codeSystemState != 0;
}

void chooseTaxBlank(ExportFields &fields)
{
    fields.rememberedRate = fields.rateBox;
    fields.taxBlank = true;
}

void chooseTaxRate(ExportFields &fields)
{
    fields.taxBlank = false;
    fields.rateBox = fields.rememberedRate;
}

} // namespace mokpe::output
