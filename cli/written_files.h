#pragma once

#include "platform/messages.h"

#include <QString>
#include <QStringList>

// What a command meant to write, file by file, and whether each was written:
// its output, the card's read store, the export dialog's settings. A run that
// left any of them unwritten ends with status 2; when it wrote some of them,
// its last message says which were written and which were not, so that a
// written file is not taken for a failed run, nor a failed run for a done one.
namespace mokpe::cli {

class WrittenFiles {
public:
    void add(const QString &path, bool written) { (written ? written_ : notWritten_).append(path); }
    // 0 when every file was written; else 2, after the message when some were.
    int exitStatus(platform::MessageService &messages) const;

private:
    QStringList written_;
    QStringList notWritten_;
};

} // namespace mokpe::cli
