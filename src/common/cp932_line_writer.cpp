#include "common/cp932_line_writer.h"

#include "common/text_file.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace mokpe::common {

namespace {

// Bytes gathered before they are written.
constexpr qsizetype kChunkBytes = 64 * 1024;
// Room for a line of the longest usual kind; a longer one grows it.
constexpr size_t kLineChars = 1024;

// No CP932 trail byte is a line feed: the line feeds of converted text are its
// 0x0A bytes.
qint64 countLineFeeds(const char *data, qsizetype size)
{
    qint64 count = 0;
    const char *const end = data + size;
    while (const void *found = std::memchr(data, '\n', static_cast<size_t>(end - data))) {
        ++count;
        data = static_cast<const char *>(found) + 1;
    }
    return count;
}

} // namespace

Cp932LineWriter::Cp932LineWriter(QIODevice &device) : device_(device), line_(kLineChars)
{
    bytes_.resize(kChunkBytes + 2 * static_cast<qsizetype>(kLineChars) + 2);
    if (!encoder_.valid())
        error_ = QStringLiteral("Shift_JIS(CP932)の変換を開始できません．");
}

void Cp932LineWriter::convertLine(bool ended)
{
    if (failed()) {
        lineUsed_ = 0;
        return;
    }
    // Two bytes at most per character, then CR LF.
    const qsizetype room = used_ + 2 * static_cast<qsizetype>(lineUsed_) + 2;
    if (room > bytes_.size())
        bytes_.resize(room);
    const QStringView text(line_.data(), static_cast<qsizetype>(lineUsed_));
    qsizetype written = 0;
    const qsizetype bad = encoder_.encodeInto(text, bytes_.data() + used_, written);
    if (bad >= 0) {
        refuse(static_cast<size_t>(bad));
        return;
    }
    used_ += written;
    lineUsed_ = 0;
    if (ended) {
        char *end = bytes_.data() + used_;
        end[0] = '\r';
        end[1] = '\n';
        used_ += 2;
    }
}

void Cp932LineWriter::endLine()
{
    convertLine(true);
    if (used_ >= kChunkBytes)
        flush();
}

void Cp932LineWriter::refuse(size_t index)
{
    // The bad character's line counts the line feeds before it (a text may
    // hold one of its own); its place counts the characters after the last
    // of them (CP932 has no character of two UTF-16 units).
    const char16_t *const begin = line_.data();
    const char16_t *const bad = begin + index;
    const qint64 feeds =
        lineFeeds_ + countLineFeeds(bytes_.constData(), used_) + std::count(begin, bad, u'\n');
    const char16_t *lineStart = bad;
    while (lineStart != begin && lineStart[-1] != u'\n')
        --lineStart;
    error_ = QStringLiteral("%1行目%2文字目の文字%3は，Shift_JIS(CP932)で書き出せません．")
                 .arg(feeds + 1)
                 .arg(bad - lineStart + 1)
                 .arg(describeCharacter(QChar(*bad)));
    used_ = 0;
    lineUsed_ = 0;
}

void Cp932LineWriter::flush()
{
    if (used_ == 0 || failed()) {
        used_ = 0;
        return;
    }
    lineFeeds_ += countLineFeeds(bytes_.constData(), used_);
    if (device_.write(bytes_.constData(), used_) != used_)
        error_ = writeFailureReason(device_);
    used_ = 0;
}

QString Cp932LineWriter::finish()
{
    if (lineUsed_ > 0)
        convertLine(false);
    flush();
    return error_;
}

} // namespace mokpe::common
