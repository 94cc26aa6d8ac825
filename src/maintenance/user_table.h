#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "settings/program_files.h"

#include <QStringList>

// "person.csv": one user entry per line, each taken whole (commas included).
// The main window lists the entries for choosing whose card history is booked;
// the user editor maintains them.
namespace mokpe::maintenance {

inline const QString kPersonFileMissingMessage =
    QStringLiteral("使用者設定ファイル(person.csv)がありません．\r\n"
                   "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．");
// Without a file the list offers this many empty entries.
inline constexpr int kMissingFileEntryCount = 12;
// The user grid holds at most this many rows, heading included (19,999 users).
inline constexpr int kUserGridMaxRows = 20000;

// Where "person.csv" is read: the program folder.
QString personFileReadPath(const AppState &state);

// Reads "person.csv" into the user table. A missing file gives 12 empty
// entries and its message; the last user index keeps its value, brought down
// to 11 when it was higher, so that it never points past the entries. A file
// that cannot be read is reported and leaves the table as it was; only then is
// the result false.
bool PersonFileRead(AppState &state, platform::MessageService &messages);

// Writes one line per grid row (empty rows as empty lines) to the program
// folder's "person.csv", atomically, and replaces the user entries with them,
// the last user index with them (the main window lists them at once). A
// failed write or a character CP932 cannot hold is reported, the old file and
// the table stay as they were, and false is returned.
bool savePersonFile(AppState &state, const QStringList &gridEntries, platform::MessageService &messages);

// The entries the main window lists: 0 to the last user index.
QStringList listedUsers(const UserTable &users);

} // namespace mokpe::maintenance
