#pragma once

#include "common/cp932.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstring>
#include <memory>
#include <vector>

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
    void append(QChar c)
    {
        // Separators and quotes: ASCII, their own bytes.
        if (c.unicode() < 0x80 && used_ < capacity_ && !failed())
            data_[used_++] = static_cast<char>(c.unicode());
        else
            append(QStringView(&c, 1));
    }
    // The same for a text whose characters stay where they are, unchanged,
    // as long as the writer is used (the program's own literals, a cell of the
    // journal being written). A file's lines repeat such texts (a separator, a
    // fixed field, an account, a route): their bytes are remembered by the
    // place of their characters and copied when they come again.
    void appendLasting(QStringView text)
    {
        const qsizetype size = text.size();
        // Room for the bytes and for the whole words they are copied in.
        if (size > 0 && size <= kRememberedChars && used_ + 2 * size + 8 <= capacity_) {
            const size_t at = slotOf(text.utf16(), size);
            const Remembered &slot = remembered_[at];
            if (slot.at == text.utf16() && slot.size == size) {
                char *const out = data_ + used_;
                const char *const bytes = rememberedBytes_.get() + at * kRememberedBytes;
                for (qsizetype i = 0; i < slot.byteCount; i += 8)
                    std::memcpy(out + i, bytes + i, 8);
                used_ += slot.byteCount;
                return;
            }
        }
        rememberLasting(text);
    }
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
    void refuse(char32_t c);
    // Room for `bytes` more in the piece.
    void reserve(qsizetype bytes);
    // A lasting text not remembered yet: converted, and its bytes remembered.
    void rememberLasting(QStringView text);

    // The bytes of a lasting text converted before; texts of up to
    // kRememberedChars characters are remembered, one a slot.
    static constexpr qsizetype kRememberedChars = 40;
    static constexpr size_t kRememberedBytes = 2 * kRememberedChars;
    struct Remembered {
        const char16_t *at = nullptr;
        qsizetype size = 0;
        qsizetype byteCount = 0;
    };
    static constexpr size_t kRememberedSlots = 4096;
    static size_t slotOf(const char16_t *at, qsizetype size)
    {
        // Addresses differ in their middle bits: a multiplication brings them
        // to the top, from where the slot is taken.
        const quint64 key =
            (static_cast<quint64>(reinterpret_cast<quintptr>(at)) ^ static_cast<quint64>(size)) *
            0x9E3779B97F4A7C15ULL;
        return static_cast<size_t>(key >> 52);
    }

    QIODevice &device_;
    Cp932Encoder encoder_;
    // The converted piece not yet written: its first `used_` bytes, in a
    // room of `capacity_` at `data_`.
    QByteArray bytes_;
    char *data_ = nullptr;
    qsizetype capacity_ = 0;
    qsizetype used_ = 0;
    std::vector<Remembered> remembered_;
    // The bytes of slot i at i * kRememberedBytes. Left uninitialised: a
    // short file touches only the few slots it uses, not the whole room.
    std::unique_ptr<char[]> rememberedBytes_;
    // Lines written before `bytes_`, for the place of a bad character.
    qint64 linesDone_ = 0;
    QString error_;
};

} // namespace mokpe::common
