#pragma once

#include <QByteArray>
#include <QString>

// Reading the whole of a file the user named or the program folder holds,
// safely: only an ordinary file is ever opened for reading. A pipe would block
// the program until someone wrote into it, a device such as /dev/zero never
// ends, and a folder has no bytes; each is refused with a message instead.
namespace mokpe::common {

struct RegularFileRead {
    bool ok = false;
    QByteArray bytes;
    // For the user when !ok: which file and why, in Japanese.
    QString error;
};

// Reads every byte of the ordinary file at `path`, refusing a file larger than
// `maxBytes` (also one that grows past it while being read) without holding
// more than that in memory.
RegularFileRead readRegularFile(const QString &path, qint64 maxBytes);

// "ファイル「…」を開けません．" with the reason on its second line.
QString openFailureMessage(const QString &path, const QString &reason);

} // namespace mokpe::common
