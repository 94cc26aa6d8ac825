#include "fuzz_support.h"

#include "common/colour_value.h"
#include "common/text_file.h"
#include "maintenance/code_system_select.h"
#include "output/export_options.h"
#include "output/export_settings.h"
#include "output/export_texts.h"
#include "settings/settings_file.h"

#include <QGuiApplication>
#include <QPalette>

#include <tuple>

namespace mokpe::fuzz {

namespace {

const QDate kToday(2024, 6, 1);

// A stored colour that reads as a value reads the same after it is written
// the way the colour dialog writes it.
void checkColour(Findings &findings, const QString &text)
{
    const std::optional<qint32> value = common::parseColourValue(text);
    if (!value)
        return;
    const QString stored = common::formatColourHex(*value);
    expect(findings, common::parseColourValue(stored) == value,
           QStringLiteral("colour \"%1\" is stored as \"%2\", which reads otherwise").arg(text, stored));
    expect(findings, common::colourFromText(text, QGuiApplication::palette()).isValid(),
           QStringLiteral("colour \"%1\" gives no colour").arg(text));
}

} // namespace

Findings settingsFileEntry(QByteArrayView input)
{
    Findings findings;
    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString path = folder.write(settings::kSettingsFileName, input);

    AppState &state = freshState(folder.path());
    RecordingMessages messages;
    const bool read = settings::Fm1_IniFileRead(state, messages);
    checkMessages(findings, messages, input, false);
    if (!read) {
        // Unreadable: the user's values may still be in it.
        expect(findings, fileBytes(path) == input,
               QStringLiteral("an unreadable settings file was overwritten"));
        return findings;
    }
    const QByteArray normalised = fileBytes(path);
    const QStringList lines = settings::settingsFileLines(state.settings);
    expect(findings, lines.size() == SettingsRecord::kLineCount,
           QStringLiteral("the settings record has %1 lines").arg(lines.size()));

    // A second start-up reads what the first one wrote and writes it again unchanged.
    AppState &again = freshState(folder.path(), 1);
    RecordingMessages againMessages;
    expect(findings, settings::Fm1_IniFileRead(again, againMessages),
           QStringLiteral("the settings file written at start-up does not read back: ") +
               againMessages.informed.join(QLatin1Char('\n')));
    expect(findings, fileBytes(path) == normalised,
           QStringLiteral("a second start-up rewrote the settings file differently"));
    expect(findings,
           settings::settingsFileLines(again.settings) == lines &&
               again.settings.formatChoice == state.settings.formatChoice &&
               again.settings.unsettledAccount == state.settings.unsettledAccount &&
               again.settings.emoneyAccount == state.settings.emoneyAccount,
           QStringLiteral("a second start-up reads other settings than the first"));

    checkColour(findings, state.settings.screenColour);
    checkColour(findings, state.settings.buttonColour);
    maintenance::selectCodeSystem(state);
    const qint16 system = state.codeSystemState;
    expect(findings, system >= -1 && system <= 1, QStringLiteral("code system %1 chosen").arg(system));
    const int choice = output::formatChoiceValue(state);
    expect(findings, choice >= 0 && choice <= output::kFormatCount,
           QStringLiteral("format choice %1").arg(choice));

    // The export dialog reads the same file and writes its values back; what
    // it wrote reads back as the same values.
    output::ExportFields fields;
    output::Fm3_IniFileRead(fields, state, kToday, messages);
    output::Fm3_FormatCheck(fields, state);
    expect(findings, output::Fm3_IniFileSave(fields, state, path, messages),
           QStringLiteral("the export dialog could not save the settings"));
    const QByteArray firstSave = fileBytes(path);
    output::ExportFields reread;
    output::Fm3_IniFileRead(reread, state, kToday, messages);
    expect(findings, reread.companyCode == fields.companyCode && reread.companyName == fields.companyName,
           QStringLiteral("the company code or name saved by the export dialog reads back otherwise"));
    // The file holds each date as yyyymmdd: only a date the boxes can show
    // that way comes back as it was (a damaged file's "-3" as a month does
    // not). The period's end is read from fixed places after its start, so it
    // comes back only when the start was written in that form too.
    const auto writtenForm = [](const output::DateBoxes &saved) {
        return output::DateBoxes{saved.year, output::twoDigitText(saved.month),
                                 output::twoDigitText(saved.day)};
    };
    const auto inFileForm = [](const output::DateBoxes &written) {
        return written.year.size() == 4 && written.month.size() == 2 && written.day.size() == 2;
    };
    const bool startKept = inFileForm(writtenForm(fields.periodStart));
    bool datesKept = true;
    for (const auto &[saved, read, placed] : {std::tuple{fields.yearEnd, reread.yearEnd, true},
                                              std::tuple{fields.periodStart, reread.periodStart, true},
                                              std::tuple{fields.periodEnd, reread.periodEnd, startKept}}) {
        const output::DateBoxes written = writtenForm(saved);
        if (!placed || !inFileForm(written))
            datesKept = false;
        else
            expect(findings, read == written,
                   QStringLiteral("the date %1/%2/%3 saved by the export dialog reads back as %4/%5/%6")
                       .arg(written.year, written.month, written.day, read.year, read.month, read.day));
    }
    if (datesKept) {
        output::Fm3_FormatCheck(reread, state);
        output::Fm3_IniFileSave(reread, state, path, messages);
        expect(findings, fileBytes(path) == firstSave,
               QStringLiteral("the export dialog's settings change each time they are read and saved"));
    }
    return findings;
}

} // namespace mokpe::fuzz
