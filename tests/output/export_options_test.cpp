#include "output/export_options.h"

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

using Enabled = std::array<bool, kFormatCount>;

TEST(SelectedKamoku, TheCodeSystemOffersTwoFormatsAndTheSavedChoiceSelectsOne)
{
    const Enabled w{true, true, false, false};
    const Enabled fuurin{false, false, true, true};
    const Enabled none{false, false, false, false};
    const struct {
        qint16 codeSystem;
        const char *choice;
        Enabled enabled;
        int selected;
    } cases[] = {
        {1, "1", w, SuitouFormat},       {1, "2", w, KaikeiFormat},       {1, "3", w, NoFormat},
        {1, "0", w, NoFormat},           {1, "02", w, KaikeiFormat},      {1, "x", w, NoFormat},
        {0, "3", fuurin, FuurinFormat3}, {0, "4", fuurin, FuurinFormat4}, {0, "1", fuurin, NoFormat},
        {-1, "1", none, NoFormat},       {-1, "4", none, NoFormat},
    };
    for (const auto &c : cases) {
        AppState state;
        state.codeSystemState = c.codeSystem;
        state.settings.formatChoice = QString::fromLatin1(c.choice);
        ExportFields fields;
        // Whatever was selected before is deselected first.
        fields.selectedFormat = FuurinFormat4;
        fields.optionEnabled.fill(true);
        Fm3_SelectedKamoku(fields, state);
        EXPECT_EQ(fields.optionEnabled, c.enabled) << c.codeSystem << " " << c.choice;
        EXPECT_EQ(fields.selectedFormat, c.selected) << c.codeSystem << " " << c.choice;
        // "実　行" finds the same selection.
        EXPECT_EQ(Fm3_FormatCheck(fields, state), c.selected != NoFormat) << c.codeSystem << " " << c.choice;
    }
}

TEST(SelectedKamoku, OnlyAnEnabledOptionTakesAClickAndSetsTheFormatChoice)
{
    AppState state;
    state.codeSystemState = 1;
    state.settings.formatChoice = QStringLiteral("3");
    ExportFields fields;
    Fm3_SelectedKamoku(fields, state);
    EXPECT_FALSE(selectFormat(fields, state, FuurinFormat3));
    EXPECT_EQ(fields.selectedFormat, NoFormat);
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("3"));
    EXPECT_FALSE(Fm3_FormatCheck(fields, state));

    EXPECT_TRUE(selectFormat(fields, state, KaikeiFormat));
    EXPECT_EQ(state.settings.formatChoice, QStringLiteral("2"));
    EXPECT_TRUE(Fm3_FormatCheck(fields, state));
    EXPECT_EQ(fields.selectedFormat, KaikeiFormat);
    EXPECT_FALSE(selectFormat(fields, state, 5));
}

TEST(SelectedKamoku, CompanyFieldsAreDisabledUnderTheFuurinCodeSystemOnly)
{
    EXPECT_FALSE(companyFieldsEnabled(0));
    EXPECT_TRUE(companyFieldsEnabled(1));
    EXPECT_TRUE(companyFieldsEnabled(-1));
}

} // namespace
} // namespace mokpe::output
