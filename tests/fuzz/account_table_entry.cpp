#include "fuzz_support.h"

#include "common/text_file.h"
#include "journal/journal_editor.h"
#include "maintenance/account_code_check.h"
#include "maintenance/account_code_file.h"
#include "maintenance/account_code_save.h"
#include "maintenance/account_editor_contents.h"
#include "maintenance/account_file_check.h"
#include "maintenance/code_system_detection.h"
#include "maintenance/code_system_select.h"
#include "output/account_code_lookup.h"
#include "platform/inert_services.h"
#include "settings/settings_file.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>

namespace mokpe::fuzz {

namespace {

const QString kSettingsName = QStringLiteral("inifile.ini");

// A file set aside is never lost: it is the only other file beside the
// settings, holds the bytes it held, and the message names it.
void checkSetAside(Findings &findings, const ScratchFolder &folder, QByteArrayView input,
                   const RecordingMessages &messages)
{
    QStringList names = folder.names();
    names.removeOne(kSettingsName);
    if (names.size() != 1 || names.first() == settings::kAccountCodeFileName) {
        findings.append(QStringLiteral("an account table that was not used left the files %1")
                            .arg(folder.names().join(QLatin1Char(' '))));
        return;
    }
    const QString kept = names.first();
    expect(findings, fileBytes(folder.filePath(kept)) == input,
           QStringLiteral("the account table set aside as %1 lost bytes").arg(kept));
    expect(findings, messages.informed.join(QLatin1Char('\n')).contains(kept),
           QStringLiteral("no message names %1, where the account table was kept").arg(kept));
}

// The account lookup of the export: the first account of that very name gives
// the code of the format's digits.
void checkLookups(Findings &findings, const AccountCodeTable &table)
{
    const int last = std::min(table.lastIndex, static_cast<int>(table.lines.size()) - 1);
    for (int i = 0; i <= last; ++i) {
        const QString name = maintenance::splitAccountLine(table.lines.at(i)).name;
        if (name.isEmpty())
            continue;
        int first = 0;
        while (maintenance::splitAccountLine(table.lines.at(first)).name != name)
            ++first;
        const AccountTriple expected = maintenance::splitAccountLine(table.lines.at(first));
        const QString code3 = output::Fm3_KamokuCodeGet(table, name, output::CodeDigits::Three);
        const QString code4 = output::Fm3_KamokuCodeGet(table, name, output::CodeDigits::Four);
        if (code3 != expected.code3 || code4 != expected.code4) {
            findings.append(QStringLiteral("\"%1\" looks up as %2 / %3 instead of %4 / %5")
                                .arg(name, code3, code4, expected.code3, expected.code4));
            return;
        }
    }
}

// A table in use: the code system it gives, the journal editor's drop-down,
// the export's look-ups and the account code editor's contents, which show
// the list lines as they stand.
maintenance::AccountEditorContents checkTableInUse(Findings &findings, AppState &state,
                                                   RecordingMessages &messages)
{
    const AccountCodeTable &table = state.accounts;
    expect(findings, state.codeSystemState == 0 || state.codeSystemState == 1,
           QStringLiteral("code system %1 detected").arg(state.codeSystemState));
    maintenance::selectCodeSystem(state);

    // The drop-down of the journal editor: the unsettled account, then every
    // account line after the first.
    platform::NoFileDialogs dialogs;
    const journal::EditorServices services{messages, dialogs};
    journal::JournalGrid grid;
    const journal::JournalEditor editor(state, grid, services);
    expect(findings, editor.accountList().size() == 1 + std::max<qsizetype>(table.lastIndex, 0),
           QStringLiteral("the drop-down offers %1 entries for %2 account lines")
               .arg(editor.accountList().size())
               .arg(table.lines.size()));
    checkLookups(findings, table);

    const maintenance::AccountEditorContents contents = maintenance::editorContentsFromTable(state);
    expect(findings, maintenance::accountFileLines(contents).mid(2) == table.lines.mid(2),
           QStringLiteral("the account code editor does not show the list lines as they stand"));
    return contents;
}

} // namespace

Findings accountTableEntry(QByteArrayView input)
{
    Findings findings;
    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString path = folder.write(settings::kAccountCodeFileName, input);

    AppState &state = freshState(folder.path());
    RecordingMessages messages;
    // The start-up's order: the settings (made anew here) before the table.
    settings::Fm1_IniFileRead(state, messages);
    const QDateTime now(QDate(2024, 1, 2), QTime(3, 4, 5));
    const bool used = maintenance::Fm1_KamokuFileCheck(state, messages, now);
    checkMessages(findings, messages, input, false);
    if (!used) {
        checkSetAside(findings, folder, input, messages);
        expect(findings, state.accounts.lines.isEmpty() && state.accounts.lastIndex == -1,
               QStringLiteral("an account table that was not used was loaded"));
        return findings;
    }

    expect(findings, fileBytes(path) == input,
           QStringLiteral("the start-up check changed the account table"));
    const common::TextReadResult read =
        common::decodeTextBytes(input.toByteArray(), common::TextEncoding::Cp932, path);
    expect(findings, read.ok, QStringLiteral("an account table that cannot be read was used"));
    const AccountCodeTable &table = state.accounts;
    expect(findings, table.lines == maintenance::accountLinesOf(read.lines),
           QStringLiteral("the account table in use differs from the file's account lines"));
    expect(findings, table.lastIndex == table.lines.size() - 1,
           QStringLiteral("the last account index %1 for %2 lines")
               .arg(table.lastIndex)
               .arg(table.lines.size()));
    for (const QString &line : table.lines) {
        if (!maintenance::isWellFormedAccountLine(line)) {
            findings.append(QStringLiteral("the malformed account line \"%1\" was used").arg(line));
            break;
        }
    }
    // Saving what the account code editor shows writes those lines back.
    const maintenance::AccountEditorContents contents = checkTableInUse(findings, state, messages);
    const QStringList shown = maintenance::accountFileLines(contents);
    if (!maintenance::Fm8_KamokuCheck(contents, messages))
        return findings;
    const bool saved = maintenance::Fm8_KamokuSave(state, contents, messages);
    expect(findings, saved,
           QStringLiteral("the account code table could not be saved: ") +
               messages.informed.join(QLatin1Char('\n')));
    if (!saved)
        return findings;
    expect(findings, table.lines == shown,
           QStringLiteral("the saved account table is not what the editor showed"));

    AppState &reread = freshState(folder.path(), 1);
    RecordingMessages rereadMessages;
    settings::Fm1_IniFileRead(reread, rereadMessages);
    expect(findings,
           maintenance::Fm1_KamokuFileCheck(reread, rereadMessages, now) && reread.accounts.lines == shown,
           QStringLiteral("the saved account table does not read back: ") +
               rereadMessages.informed.join(QLatin1Char('\n')));
    expect(findings,
           reread.settings.unsettledAccount == contents.unsettled &&
               reread.settings.emoneyAccount == contents.emoney,
           QStringLiteral("the fixed accounts saved with the table do not read back"));
    return findings;
}

Findings accountLinesEntry(QByteArrayView input)
{
    Findings findings;
    AppState &state = freshState(QString());
    state.settings = firstStartSettings();
    RecordingMessages messages;
    const common::TextReadResult read = common::decodeTextBytes(
        input.toByteArray(), common::TextEncoding::Cp932, settings::kAccountCodeFileName);
    if (!read.ok) {
        expect(findings, !read.error.isEmpty(), QStringLiteral("an unreadable account table has no message"));
        return findings;
    }
    const QStringList lines = maintenance::accountLinesOf(read.lines);
    if (!std::all_of(lines.begin(), lines.end(), maintenance::isWellFormedAccountLine))
        return findings;
    // The table as the start-up check loads a file whose account lines are
    // all well formed.
    state.accounts.lines = lines;
    state.accounts.lastIndex = static_cast<int>(lines.size()) - 1;
    maintenance::KamokuKindCheck(state);
    const maintenance::AccountEditorContents contents = checkTableInUse(findings, state, messages);

    // What the account code editor would save (the table's lines and the
    // fixed accounts of the settings) shows the same contents when opened again.
    if (!maintenance::Fm8_KamokuCheck(contents, messages))
        return findings;
    AppState &again = freshState(QString(), 1);
    again.settings = state.settings;
    again.settings.unsettledAccount = contents.unsettled;
    again.settings.emoneyAccount = contents.emoney;
    again.accounts.lines = maintenance::accountFileLines(contents);
    again.accounts.lastIndex = static_cast<int>(again.accounts.lines.size()) - 1;
    expect(findings, maintenance::editorContentsFromTable(again) == contents,
           QStringLiteral("the account code editor's contents do not come back once saved"));
    return findings;
}

} // namespace mokpe::fuzz
