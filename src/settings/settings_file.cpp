#include "settings/settings_file.h"

#include "common/colour_value.h"
#include "common/regular_file.h"
#include "common/text_file.h"

#include <QFileInfo>

namespace mokpe::settings {

namespace {

void refreshAccounts(SettingsRecord &s)
{
    s.unsettledAccount = {s.lines[9], s.lines[10], s.lines[11]};
    s.emoneyAccount = {s.lines[12], s.lines[13], s.lines[14]};
    s.emoneyNameCopy = s.lines[14];
}

void setDefaultValues(SettingsRecord &s)
{
    s.formatChoice = QStringLiteral("0");
    s.screenColour = common::kStandardFaceColourText;
    s.buttonColour = common::kStandardFaceColourText;
    s.lines[5] = s.screenColour;
    s.lines[6] = s.buttonColour;
    s.lines[9] = QStringLiteral("000");
    s.lines[10] = QStringLiteral("0000");
    s.lines[11] = QStringLiteral("電子未決");
    s.lines[12] = QStringLiteral("000");
    s.lines[13] = QStringLiteral("0000");
    s.lines[14] = QStringLiteral("電子マネー");
}

// The lines a file shorter than it should be lacks that have a value of their
// own (1-4 may be blank), with their defaults filled in; "10～15行目" and the
// like for the user, or empty when none is missing.
QString fillMissingLines(SettingsRecord &s, qsizetype present)
{
    SettingsRecord defaults;
    setDefaultValues(defaults);
    defaults.lines[7] = QStringLiteral("1");
    defaults.lines[8] = QStringLiteral("0");
    QStringList runs;
    int runStart = -1;
    for (int i = 0; i <= SettingsRecord::kLineCount; ++i) {
        const bool missing = i < SettingsRecord::kLineCount && i >= present && (i == 0 || i >= 5);
        if (missing) {
            s.lines[static_cast<size_t>(i)] = defaults.lines[static_cast<size_t>(i)];
            if (runStart < 0)
                runStart = i;
        } else if (runStart >= 0) {
            runs.append(runStart == i - 1 ? QString::number(i)
                                          : QStringLiteral("%1～%2").arg(runStart + 1).arg(i));
            runStart = -1;
        }
    }
    return runs.isEmpty() ? QString() : runs.join(QStringLiteral("，")) + QStringLiteral("行目");
}

// The values the record holds apart, put back on their lines for writing.
void storeRecordInLines(SettingsRecord &s)
{
    s.lines[0] = s.formatChoice;
    s.lines[5] = s.screenColour;
    s.lines[6] = s.buttonColour;
    s.lines[9] = s.unsettledAccount.code3;
    s.lines[10] = s.unsettledAccount.code4;
    s.lines[11] = s.unsettledAccount.name;
    s.lines[12] = s.emoneyAccount.code3;
    s.lines[13] = s.emoneyAccount.code4;
    s.lines[14] = s.emoneyAccount.name;
}

} // namespace

QStringList settingsFileLines(const SettingsRecord &settings)
{
    QStringList lines;
    for (int i = 0; i < SettingsRecord::kLineCount; ++i)
        lines.append(settings.lines[static_cast<size_t>(i)]);
    return lines;
}

bool Fm1_IniFileRead(AppState &state, platform::MessageService &messages, WhenUnusable whenUnusable)
{
    bool ok = true;
    SettingsRecord &s = state.settings;
    const QString path = settingsFilePath(state);

    if (QFileInfo::exists(path)) {
        const common::RegularFileRead file = common::readRegularFile(path, common::kMaxProgramFileBytes);
        common::TextReadResult read;
        if (file.ok)
            read = common::decodeTextBytes(file.bytes, common::TextEncoding::Cp932, path);
        else
            read.error = file.error;
        if (read.ok) {
            const auto count = std::min<qsizetype>(read.lines.size(), SettingsRecord::kSlotCount);
            for (qsizetype i = 0; i < count; ++i)
                s.lines[static_cast<size_t>(i)] = read.lines.at(i);
            // A shorter file would leave the fixed accounts empty, and every
            // export row without its account.
            if (const QString missing = fillMissingLines(s, read.lines.size()); !missing.isEmpty()) {
                messages.inform(
                    QStringLiteral("設定ファイル(inifile.ini)に%1がありません．\r\n"
                                   "その行は標準の値にしました．必要ならメンテナンスで設定し直して下さい．")
                        .arg(missing));
            }
            s.formatChoice = s.lines[0];
            if (s.lines[5].isEmpty())
                s.lines[5] = common::kStandardFaceColourText;
            if (s.lines[6].isEmpty())
                s.lines[6] = common::kStandardFaceColourText;
            s.screenColour = s.lines[5];
            s.buttonColour = s.lines[6];
            refreshAccounts(s);
            // A file already in the normalised form is left as it lies: the
            // rewrite is a synced write, at every start, for the same bytes.
            storeRecordInLines(s);
            QByteArray normalised;
            const bool unchanged =
                common::encodeCp932Lines(settingsFileLines(s), normalised, path).isEmpty() &&
                normalised == file.bytes;
            if (!unchanged)
                ok = Fm1_IniFileSave(state, path, messages);
        } else {
            // An unreadable file is not overwritten: the user's values may still be in it.
            messages.inform(
                read.error + QStringLiteral("\r\n") +
                (whenUnusable == WhenUnusable::GoOn
                     ? QStringLiteral("設定ファイル(inifile.ini)を読み込めないため，標準の設定で続けます．")
                     : QStringLiteral("設定ファイル(inifile.ini)を読み込めないため，中止しました．")));
            setDefaultValues(s);
            ok = false;
        }
    } else {
        setDefaultValues(s);
        ok = Fm1_IniFileInit(state, messages);
        // A start that could not make its settings file is not a first start.
        if (ok)
            messages.inform(kFirstStartMessage);
    }

    // In memory only: the file gets them at its next save.
    if (s.lines[7].isEmpty())
        s.lines[7] = QStringLiteral("1");
    if (s.lines[8].isEmpty())
        s.lines[8] = QStringLiteral("0");
    refreshAccounts(s);
    return ok;
}

bool Fm1_IniFileSave(AppState &state, const QString &path, platform::MessageService &messages)
{
    SettingsRecord &s = state.settings;
    storeRecordInLines(s);
    const QString error = common::writeCp932Lines(path, settingsFileLines(s));
    if (!error.isEmpty()) {
        messages.inform(QStringLiteral("設定ファイル(inifile.ini)を保存できませんでした．\r\n") + error);
        return false;
    }
    return true;
}

bool Fm1_IniFileInit(AppState &state, platform::MessageService &messages)
{
    SettingsRecord &s = state.settings;
    s.lines[0] = QStringLiteral("0");
    for (int i = 1; i <= 4; ++i)
        s.lines[static_cast<size_t>(i)].clear();
    s.lines[5] = s.screenColour;
    s.lines[6] = s.buttonColour;
    s.lines[7] = QStringLiteral("1");
    s.lines[8] = QStringLiteral("0");
    const QString path = settingsFilePath(state);
    const QString error = common::writeCp932Lines(path, settingsFileLines(s));
    if (!error.isEmpty())
        messages.inform(QStringLiteral("設定ファイル(inifile.ini)を作成できませんでした．\r\n") + error);
    state.codeSystemState = -1;
    return error.isEmpty();
}

} // namespace mokpe::settings
