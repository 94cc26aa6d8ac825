#include "common/cp932_line_writer.h"

#include "common/text_file.h"

#include <QByteArrayView>
#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace mokpe::common {

namespace {

// Bytes gathered before they are written.
constexpr qsizetype kChunkBytes = qsizetype{64} * 1024;

qsizetype countLineFeeds(const char *data, qsizetype size)
{
    qsizetype count = 0;
    const char *end = data + size;
    while (const void *found = std::memchr(data, '\n', static_cast<size_t>(end - data))) {
        ++count;
        data = static_cast<const char *>(found) + 1;
    }
    return count;
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

Cp932LineWriter::Cp932LineWriter(QIODevice &device)
    : device_(device), remembered_(kRememberedSlots),
      rememberedBytes_(std::make_unique_for_overwrite<char[]>(kRememberedSlots * kRememberedBytes))
{
    reserve(kChunkBytes + 4096);
    if (!encoder_.valid())
        error_ = QStringLiteral("Shift_JIS(CP932)の変換を開始できません．");
}

void Cp932LineWriter::reserve(qsizetype bytes)
{
    if (used_ + bytes <= capacity_)
        return;
    bytes_.resize(std::max(used_ + bytes, 2 * capacity_));
    data_ = bytes_.data();
    capacity_ = bytes_.size();
}

void Cp932LineWriter::append(QStringView text)
{
    if (failed())
        return;
    // Two bytes at most per character.
    reserve(text.size() * 2);
    qsizetype written = 0;
    const qsizetype bad = encoder_.encodeInto(text, data_ + used_, written);
    used_ += written;
    if (bad >= 0)
        refuse(codePointAt(text, bad));
}

void Cp932LineWriter::rememberLasting(QStringView text)
{
    const qsizetype size = text.size();
    if (size > kRememberedChars || size == 0 || failed()) {
        append(text);
        return;
    }
    reserve(2 * size + 8);
    char *const out = data_ + used_;
    qsizetype written = 0;
    const qsizetype bad = encoder_.encodeInto(text, out, written);
    used_ += written;
    if (bad >= 0) {
        refuse(codePointAt(text, bad));
        return;
    }
    const size_t at = slotOf(text.utf16(), size);
    Remembered &slot = remembered_[at];
    slot.at = text.utf16();
    slot.size = size;
    slot.byteCount = written;
    std::memcpy(rememberedBytes_.get() + at * kRememberedBytes, out, static_cast<size_t>(written));
}

void Cp932LineWriter::endLine()
{
    if (failed())
        return;
    reserve(2);
    char *end = data_ + used_;
    end[0] = '\r';
    end[1] = '\n';
    used_ += 2;
    if (used_ >= kChunkBytes)
        flush();
}

void Cp932LineWriter::refuse(char32_t c)
{
    // No CP932 trail byte is a line feed: the line ends of the piece are its
    // 0x0A bytes, and the characters after the last one are counted by their
    // lead bytes.
    const QByteArrayView piece(bytes_.constData(), used_);
    const qsizetype lineStart = piece.lastIndexOf('\n') + 1;
    const qint64 line = linesDone_ + countLineFeeds(piece.data(), lineStart) + 1;
    qint64 column = 1;
    for (qsizetype i = lineStart; i < used_; ++i, ++column) {
        if (isLeadByte(static_cast<unsigned char>(piece.at(i))))
            ++i;
    }
    error_ = QStringLiteral("%1行目%2文字目の文字%3は，Shift_JIS(CP932)で書き出せません．")
                 .arg(line)
                 .arg(column)
                 .arg(describeCharacter(c));
    used_ = 0;
}

void Cp932LineWriter::flush()
{
    if (used_ == 0 || failed()) {
        used_ = 0;
        return;
    }
    linesDone_ += countLineFeeds(bytes_.constData(), used_);
    if (device_.write(bytes_.constData(), used_) != used_)
        error_ = writeFailureReason(device_);
    used_ = 0;
}

QString Cp932LineWriter::finish()
{
    flush();
    return error_;
}

} // namespace mokpe::common
