#pragma once

#include "common/cp932.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace mokpe::common {

// Writes text to a device as CP932 through one converter for the whole file.
// Text is gathered and converted in large pieces, so a long file costs one
// conversion pass and a few large writes, and memory stays bounded whatever
// the file's length.
class Cp932LineWriter {
public:
    explicit Cp932LineWriter(QIODevice &device);

    // Text of the current line (no line end).
    void append(QStringView text);
    void append(QChar c) { pending_.append(c); }
    // Ends the current line with CR LF.
    void endLine();
    // Converts and writes what is left. Empty text when every byte reached the
    // device; else what went wrong (a character CP932 cannot hold, with its line
    // and place, or the device's error). Nothing is written after a failure.
    QString finish();
    bool failed() const { return !error_.isEmpty(); }

private:
    void flush();

    QIODevice &device_;
    Cp932Encoder encoder_;
    QString pending_;
    QByteArray bytes_;
    // Lines handed to the converter before `pending_`, for the place of a bad character.
    qint64 linesDone_ = 0;
    QString error_;
};

} // namespace mokpe::common
