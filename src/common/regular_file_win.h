#pragma once

#include <QByteArray>
#include <QString>

// The Win32 side of readRegularFile() (regular_file.cpp words the messages).
namespace mokpe::common {

struct WindowsFileRead {
    enum class Outcome { Read, NotOpened, Folder, Device, TooLarge, ReadFailed };
    Outcome outcome = Outcome::NotOpened;
    QByteArray bytes;
    // Windows' own text for NotOpened and ReadFailed.
    QString systemReason;
    // NotOpened: there is no file by that name.
    bool missing = false;
};

// Reads the ordinary file at `path` up to `maxBytes`. A device name (CON,
// NUL, COM1…) or a path in the device name space (a pipe, \\.\pipe\…) is
// refused before anything is opened: opening a serial port or the console
// has effects of its own, and a pipe may never end.
WindowsFileRead readWindowsFile(const QString &path, qint64 maxBytes);

// What stands at `path` where a new file is to take its place.
enum class WindowsTarget { NothingOrOrdinaryFile, Folder, Device };
WindowsTarget windowsTargetAt(const QString &path);

} // namespace mokpe::common
