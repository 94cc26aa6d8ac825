#pragma once

#include "common/app_state.h"

#include <QString>

// Where a file the user asked for (a saved journal, an export, a report) may
// be written. The write replaces whatever stands at the path, so an output
// onto the file the journal was read from, or onto a file the program keeps
// in its folder, would lose that file, or lose the output when the program
// writes its own file afterwards.
namespace mokpe::journal {

enum class OutputKind {
    // A journal file: it may replace the journal file it was read from, as
    // the editor's "保　存" of an opened journal does.
    JournalFile,
    Export,
    Report,
};

// Empty when `path` may be written; else the message naming the file:
// something other than an ordinary file stands there, it is the file the
// journal was read from (by whatever path, link or hard link), it is one of
// the program folder's own files (the settings, the account table, the users,
// a card's read store, its lock), or it lies in the program folder at all.
// Every symbolic link is followed to the file the write would replace.
QString outputTargetCheck(const AppState &state, const QString &path, OutputKind kind);

} // namespace mokpe::journal
