#include "output/export_hand_over.h"

#include "support/export_fixture.h"

#include <QFile>

#include <array>

#include <gtest/gtest.h>

namespace mokpe::output {
namespace {

using test_support::ExportFixture;
using test_support::settingsFor;

TEST(ExportHandOver, TheThreeJournalChecksRunInOrderAndTheFirstRefusalStops)
{
    const struct {
        const char *what;
        QStringList rows;
        int redRow; // a balance cell in column 5 of this row, 0 for none
        bool passes;
        const char16_t *message;
    } cases[] = {
        {"a whole journal",
         {QStringLiteral("2026/01/05|旅費交通費|160|電子マネー|160|乗車")},
         0,
         true,
         nullptr},
        {"rows 1 and 2 lack an amount: the row count check names the last",
         {QStringLiteral("2026/01/05|旅費交通費||電子マネー|160|乗車"),
          QStringLiteral("2026/01/06|旅費交通費|160|電子マネー||乗車")},
         0,
         false,
         u"No. 2 行目 : 日付か金額欄に空欄行を検出しました．"},
        {"a balance cell",
         {QStringLiteral("2026/01/05|旅費交通費|160|電子マネー|160|乗車"),
          QStringLiteral("2026/01/06|旅費交通費|5000|電子マネー|5000|乗車")},
         2,
         false,
         u"2行目：「　金額　」列が使用金額ではない可能性有ります．"},
    };
    for (const auto &c : cases) {
        ExportFixture f(settingsFor(QStringLiteral("1")));
        f.setJournal(c.rows);
        if (c.redRow > 0)
            f.grid.setColour(c.redRow, journal::CreditAmountColumn, journal::CellColour::Balance);
        journal::JournalEditor editor(f.state, f.grid, {f.services.messages, f.services.dialogs});
        EXPECT_EQ(handOverChecks(editor), c.passes) << c.what;
        const QStringList expected = c.message ? QStringList{QString::fromUtf16(c.message)} : QStringList();
        EXPECT_EQ(f.services.messages.texts().join('|').toStdString(), expected.join('|').toStdString())
            << c.what;
    }
}

TEST(ExportHandOver, SettingsAreReadOnceAndTheFormatOptionsEachTime)
{
    using Enabled = std::array<bool, kFormatCount>;
    const struct {
        const char *what;
        // The code system when the journal is handed over again.
        qint16 codeSystemState;
        Enabled enabled;
        int selected;
    } cases[] = {
        {"the same code system", 1, {true, true, false, false}, SuitouFormat},
        // The remembered choice 1 is not one of 楓林's formats.
        {"the account table changed to 楓林", 0, {false, false, true, true}, NoFormat},
    };
    for (const auto &c : cases) {
        ExportFixture f(settingsFor(QStringLiteral("1")));
        ExportFields fields;
        handOverFields(fields, f.state, QDate(2026, 6, 1), f.services.messages);
        EXPECT_TRUE(fields.opened) << c.what;
        EXPECT_EQ(fields.companyName, QStringLiteral("モコペ商事")) << c.what;
        EXPECT_EQ(fields.selectedFormat, SuitouFormat) << c.what;

        // What the user typed stays; the settings file is not read again.
        fields.companyName = QStringLiteral("typed");
        QFile::remove(f.iniPath());
        f.state.codeSystemState = c.codeSystemState;
        handOverFields(fields, f.state, QDate(2026, 6, 1), f.services.messages);
        EXPECT_EQ(fields.companyName, QStringLiteral("typed")) << c.what;
        EXPECT_FALSE(QFile::exists(f.iniPath())) << c.what;
        EXPECT_EQ(fields.optionEnabled, c.enabled) << c.what;
        EXPECT_EQ(fields.selectedFormat, c.selected) << c.what;
        EXPECT_TRUE(f.services.messages.texts().isEmpty()) << c.what;
    }
}

} // namespace
} // namespace mokpe::output
