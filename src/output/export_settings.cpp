#include "output/export_settings.h"

#include "common/text_file.h"
#include "common/vb_strings.h"
#include "output/export_texts.h"
#include "settings/settings_file.h"

#include <QFileInfo>

namespace mokpe::output {

namespace {

QString &line(ExportFields &fields, int i)
{
    return fields.lines[static_cast<size_t>(i)];
}

// Lines 9 to 14 as the program holds them.
void takeAccountLines(ExportFields &fields, const SettingsRecord &settings)
{
    const AccountTriple &u = settings.unsettledAccount;
    const AccountTriple &e = settings.emoneyAccount;
    const QString values[] = {u.code3, u.code4, u.name, e.code3, e.code4, e.name};
    for (int i = 0; i < 6; ++i)
        line(fields, 9 + i) = values[i];
}

void fillFromLines(ExportFields &fields)
{
    fields.companyCode = line(fields, 1);
    fields.companyName = line(fields, 2);
    fields.taxBlank = line(fields, 7) == QLatin1String("0");
    fields.rateBox = line(fields, 8);
    fields.rememberedRate = fields.rateBox;

    const QString &yearEnd = line(fields, 3);
    if (!yearEnd.isEmpty())
        fields.yearEnd = {common::mid(yearEnd, 1, 4), common::mid(yearEnd, 5, 2), common::mid(yearEnd, 7, 2)};
    else
        fields.yearEnd = {};

    const QString &period = line(fields, 4);
    if (period.size() > 16) {
        fields.periodStart = {common::mid(period, 1, 4), common::mid(period, 5, 2),
                              common::mid(period, 7, 2)};
        fields.periodEnd = {common::mid(period, 10, 4), common::mid(period, 14, 2), common::mid(period, 16)};
    } else {
        fields.periodStart = {};
        fields.periodEnd = {};
    }
}

} // namespace

void Fm3_DefaultSet(ExportFields &fields, QDate today)
{
    const int y = today.year();
    const bool afterMarch = today.month() > 3;
    const int yearEndYear = afterMarch ? y + 1 : y;
    fields.yearEnd = {QString::number(yearEndYear), QStringLiteral("3"), QStringLiteral("31")};
    fields.periodStart = {QString::number(yearEndYear - 1), QStringLiteral("4"), QStringLiteral("1")};
    fields.periodEnd = {QString::number(yearEndYear), QStringLiteral("3"), QStringLiteral("31")};
    fields.companyName = QStringLiteral("会社名を入力して下さい");
    fields.companyCode = QStringLiteral("0123");
    fields.rateBox = QStringLiteral("5");
}

void Fm3_IniFileRead(ExportFields &fields, const AppState &state, QDate today,
                     platform::MessageService &messages)
{
    const QString path = settings::settingsFilePath(state);
    Fm3_DefaultSet(fields, today);

    if (!QFileInfo::exists(path)) {
        fields.rateBox = fields.rememberedRate;
        // The e-money accounts are kept as the program holds them: a file
        // written with these lines empty would lose them at the next start.
        takeAccountLines(fields, state.settings);
        Fm3_IniFileSave(fields, state, path, messages);
        return;
    }

    const common::TextReadResult read = common::readTextFile(path);
    if (read.ok) {
        const auto count = std::min<qsizetype>(read.lines.size(), ExportFields::kSlotCount);
        for (qsizetype i = 0; i < count; ++i)
            fields.lines[static_cast<size_t>(i)] = read.lines.at(i);
    } else {
        // The program's own copy of the lines stands in for a file it cannot read.
        messages.inform(read.error);
        for (int i = 0; i < SettingsRecord::kSlotCount && i < ExportFields::kSlotCount; ++i)
            fields.lines[static_cast<size_t>(i)] = state.settings.lines[static_cast<size_t>(i)];
        takeAccountLines(fields, state.settings);
    }
    fillFromLines(fields);
}

bool Fm3_IniFileSave(ExportFields &fields, const AppState &state, const QString &path,
                     platform::MessageService &messages)
{
    line(fields, 0) = state.settings.formatChoice;
    line(fields, 1) = fields.companyCode;
    line(fields, 2) = fields.companyName;
    line(fields, 3) =
        fields.yearEnd.year + twoDigitText(fields.yearEnd.month) + twoDigitText(fields.yearEnd.day);
    line(fields, 4) =
        eightDigitDate(fields.periodStart) + QLatin1Char(',') + eightDigitDate(fields.periodEnd);
    line(fields, 5) = state.settings.screenColour;
    line(fields, 6) = state.settings.buttonColour;
    if (fields.taxBlank) {
        line(fields, 7) = QStringLiteral("0");
        line(fields, 8) = QStringLiteral("0");
    } else {
        line(fields, 7) = QStringLiteral("1");
        line(fields, 8) = fields.rateBox;
        fields.rememberedRate = fields.rateBox;
    }
    QStringList lines;
    for (int i = 0; i < SettingsRecord::kLineCount; ++i)
        lines.append(fields.lines[static_cast<size_t>(i)]);
    const QString error = common::writeCp932Lines(path, lines);
    if (!error.isEmpty()) {
        messages.inform(QStringLiteral("設定ファイル(inifile.ini)を保存できませんでした．\r\n") + error);
        return false;
    }
    return true;
}

} // namespace mokpe::output
