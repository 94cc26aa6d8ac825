#pragma once

#include <QString>

class QFile;
class QFileDevice;

// What an atomic write (text_file.h) asks of the system: the new file on the
// disk before it replaces the old one, and why a replacement failed. POSIX in
// durable_write_posix.cpp, Win32 in durable_write_win.cpp.
namespace mokpe::common {

// Flushes what was written to `file` (open) to the disk; false with the
// system's reason when the disk refused it.
bool flushToDisk(QFileDevice &file, QString &reason);

// Creates `file` (its name set, not there yet) and opens it for writing. One
// that is to replace a file is readable by its owner only until it is given
// the old file's permissions; on Windows it takes the folder's inherited
// permissions, as any new file does. False when it could not be made.
bool createTemporary(QFile &file, bool replacing);

// Marks `file`, a temporary just made at `path` for an atomic write
// (atomic_file.h), as held by its writer for as long as it stays open, so that
// no clean-up, in this program or another, removes it while it is written.
// False when the name no longer leads to it (a clean-up took it between its
// making and its marking): the writer makes another.
bool holdTemporary(QFileDevice &file, const QString &path);

// Removes `path`, a temporary an atomic write left behind, unless a writer
// holds it or it is anything but an ordinary file (a link, a folder, a
// device). Whether it was removed.
bool removeAbandonedTemporary(const QString &path);

// Puts `temporary` (open, written and on the disk) in the place of `target` in
// one step, replacing whatever file stands there, and closes it. False with the
// system's reason; `temporary` is then closed and still there.
bool replaceByTemporary(QFileDevice &temporary, const QString &target, QString &reason);

// The reason to tell when the new file could not take the place of `path`:
// on Windows a file another program holds open (a spreadsheet showing the
// old export) is told as such, whatever error the replacement gave;
// otherwise `reason` as it was given.
QString replaceFailureReason(const QString &path, const QString &reason);

} // namespace mokpe::common
