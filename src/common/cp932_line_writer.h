#pragma once

#include "common/cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

class QIODevice;

namespace mokpe::common {

// Writes text to a device as CP932 through one converter for the whole file.
// Text is converted as it comes and written in large pieces, so a long file
// costs one conversion pass and a few large writes, and memory stays bounded
// whatever the file's length.
class Cp932LineWriter {
public:
    explicit Cp932LineWriter(QIODevice &device);

    // Text of the current line (no line end).
    void append(QStringView text);
    void append(QChar c) { append(QStringView(&c, 1)); }
    // Ends the current line with CR LF.
    void endLine();
    // Writes what is left. Empty text when every byte reached the device; else
    // what went wrong (a character CP932 cannot hold, with its line and place,
    // or the device's error). Nothing is written after a failure.
    QString finish();
    bool failed() const { return !error_.isEmpty(); }

private:
    void flush();
    // The character that could not be converted; the piece holds the bytes up
    // to it.
    void refuse(QChar c);

    QIODevice &device_;
    Cp932Encoder encoder_;
    // The converted piece not yet written: its first `used_` bytes.
    QByteArray bytes_;
    qsizetype used_ = 0;
    // Lines written before `bytes_`, for the place of a bad character.
    qint64 linesDone_ = 0;
    QString error_;
};

} // namespace mokpe::common
