#pragma once

#include "common/cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

class QIODevice;

namespace mokpe::common {

// Writes text to a device as CP932 through one converter for the whole file.
// A line's texts are gathered as they come and converted in one pass when the
// line ends, and the converted lines are written in large pieces: a long file
// costs one conversion call per line and a few large writes, and memory stays
// bounded whatever the file's length.
class Cp932LineWriter {
public:
    explicit Cp932LineWriter(QIODevice &device);

    // Text of the current line (no line end).
    void append(QStringView text)
    {
        const auto n = static_cast<size_t>(text.size());
        if (line_.size() - lineUsed_ < n)
            line_.resize(std::max(line_.size() * 2, lineUsed_ + n));
        std::copy_n(text.utf16(), n, line_.data() + lineUsed_);
        lineUsed_ += n;
    }
    void append(QChar c)
    {
        if (lineUsed_ == line_.size())
            line_.resize(line_.size() * 2 + 1);
        line_[lineUsed_++] = c.unicode();
    }
    // Ends the current line with CR LF.
    void endLine();
    // Writes what is left (a line not ended is written without a line end).
    // Empty text when every byte reached the device; else what went wrong (a
    // character CP932 cannot hold, with its line and place, or the device's
    // error). Nothing is written after a failure.
    QString finish();
    bool failed() const { return !error_.isEmpty(); }

private:
    // Converts the gathered line into the piece, then CR LF when `ended`.
    void convertLine(bool ended);
    void flush();
    // The character at `index` of the gathered line could not be converted.
    void refuse(size_t index);

    QIODevice &device_;
    Cp932Encoder encoder_;
    // The current line's text: its first `lineUsed_` characters.
    std::vector<char16_t> line_;
    size_t lineUsed_ = 0;
    // The converted piece not yet written: its first `used_` bytes.
    QByteArray bytes_;
    qsizetype used_ = 0;
    // Line feeds written before the piece (line ends and any inside a text),
    // for the place of a bad character.
    qint64 lineFeeds_ = 0;
    QString error_;
};

} // namespace mokpe::common
