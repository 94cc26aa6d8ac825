#pragma once

#include <QString>

class QFileDevice;

// What an atomic write (text_file.h) asks of the system: the new file on the
// disk before it replaces the old one, and why a replacement failed. POSIX in
// durable_write_posix.cpp, Win32 in durable_write_win.cpp.
namespace mokpe::common {

// Flushes what was written to `file` (open) to the disk; false with the
// system's reason when the disk refused it.
bool flushToDisk(QFileDevice &file, QString &reason);

// The reason to tell when the new file could not take the place of `path`:
// on Windows a file another program holds open (a spreadsheet showing the
// old export) is told as such, whatever error the replacement gave;
// otherwise `reason` as it was given.
QString replaceFailureReason(const QString &path, const QString &reason);

} // namespace mokpe::common
