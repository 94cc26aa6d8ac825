#include "fuzz_support.h"

#include "app/program_start.h"
#include "app/user_selection.h"
#include "common/text_file.h"
#include "maintenance/user_table.h"

namespace mokpe::fuzz {

Findings usersFileEntry(QByteArrayView input)
{
    Findings findings;
    ScratchFolder &folder = ScratchFolder::instance();
    folder.fresh();
    const QString path = folder.write(settings::kPersonFileName, input);

    AppState &state = freshState(folder.path());
    state.summaryPrefix = QStringLiteral("No.1: before，");
    RecordingMessages messages;
    const bool read = app::readUserList(state, messages);
    checkMessages(findings, messages, input, false);
    expect(findings, state.summaryPrefix.isEmpty(),
           QStringLiteral("reading the users kept the chosen user's tag"));
    expect(findings, fileBytes(path) == input, QStringLiteral("reading the users changed person.csv"));
    if (!read) {
        expect(findings, state.users.entries.isEmpty() && state.users.lastIndex == 0,
               QStringLiteral("an unreadable person.csv changed the user list"));
        return findings;
    }
    const common::TextReadResult decoded =
        common::decodeTextBytes(input.toByteArray(), common::TextEncoding::Cp932, path);
    expect(findings, decoded.ok && state.users.entries == decoded.lines,
           QStringLiteral("the user list differs from the lines of person.csv"));
    const QStringList listed = maintenance::listedUsers(state.users);
    expect(findings, listed.size() == state.users.entries.size(),
           QStringLiteral("%1 of %2 users listed").arg(listed.size()).arg(state.users.entries.size()));
    for (qsizetype n = 1; n <= listed.size(); ++n) {
        const QString prefix = app::summaryPrefixFor(static_cast<int>(n), listed.at(n - 1));
        if (!prefix.startsWith(QStringLiteral("No.%1: ").arg(n)) || !prefix.endsWith(QStringLiteral("，"))) {
            findings.append(QStringLiteral("user %1 is tagged \"%2\"").arg(n).arg(prefix));
            break;
        }
    }

    // The user editor saves its rows; the next start-up lists the same users.
    const QStringList entries = state.users.entries;
    const bool saved = maintenance::savePersonFile(state, entries, messages);
    expect(findings, saved,
           QStringLiteral("the users could not be saved: ") + messages.informed.join(QLatin1Char('\n')));
    AppState &again = freshState(folder.path(), 1);
    RecordingMessages againMessages;
    expect(findings, app::readUserList(again, againMessages) && again.users.entries == entries,
           QStringLiteral("the saved users do not read back as they were"));
    return findings;
}

} // namespace mokpe::fuzz
