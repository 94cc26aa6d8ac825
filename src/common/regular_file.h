#pragma once

#include <QByteArray>
#include <QString>

// Reading the whole of a file the user named or the program folder holds,
// safely: only an ordinary file is ever opened for reading. A pipe would block
// the program until someone wrote into it, a device such as /dev/zero never
// ends, and a folder has no bytes; each is refused with a message instead.
namespace mokpe::common {

// Why a file was not read, for those who act on it: a file that was read and
// found wrong may be set aside or replaced; one that could not be read may
// still hold what it should, and is left alone.
enum class ReadFailure {
    None,
    // Nothing stands at the path.
    Missing,
    // Something stands there that could not be read: it may not be read, a
    // folder or a device is in the file's place, the disk failed.
    Unreadable,
    // It was read and is not what it should be: too large, or (for text)
    // bytes that are no text.
    Damaged,
};

struct RegularFileRead {
    bool ok = false;
    QByteArray bytes;
    // For the user when !ok: which file and why, in Japanese.
    QString error;
    ReadFailure failure = ReadFailure::None;
};

// Reads every byte of the ordinary file at `path`, refusing a file larger than
// `maxBytes` (also one that grows past it while being read) without holding
// more than that in memory.
RegularFileRead readRegularFile(const QString &path, qint64 maxBytes);

// "ファイル「…」を開けません．" with the reason on its second line.
QString openFailureMessage(const QString &path, const QString &reason);

// Why nothing may be written in place of what stands at `path`: empty when
// nothing is there or an ordinary file is (a link is followed, as the write
// follows it); else the reason for the user. A new file renamed over a pipe or
// a device would replace it, so such a target is refused before anything is
// written.
QString replaceRefusalReason(const QString &path);

// Whether two paths name one file or folder: the same name, another path to
// it, a hard link or a symbolic link. False when either is not there.
bool isSameFile(const QString &a, const QString &b);

} // namespace mokpe::common
