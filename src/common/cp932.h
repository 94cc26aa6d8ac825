#pragma once

#include "common/cp932_system.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace mokpe::common {

// Result of decoding CP932 bytes. On failure `errorOffset` is the byte offset of
// the first byte that is not CP932 and `text` holds what was decoded before it.
struct Cp932Decoded {
    QString text;
    bool ok = true;
    qsizetype errorOffset = -1;
};

// Result of encoding text as CP932. On failure `errorIndex` is the character
// position (from 0) of the first character CP932 cannot hold, and nothing usable
// is in `bytes`.
struct Cp932Encoded {
    QByteArray bytes;
    bool ok = true;
    qsizetype errorIndex = -1;
    QChar errorChar;
};

// Decodes and encodes the Windows Japanese code page through the system's own
// conversion (cp932_system.h): Windows' code page 932, or glibc iconv's
// "CP932", which follows it: 0x5C is U+005C, 0x8160 is U+FF5E, the NEC row 13
// and IBM extension duplicates decode to the same characters and encode back
// to the codes Windows chooses.
Cp932Decoded decodeCp932(const QByteArray &bytes);
Cp932Encoded encodeCp932(const QString &text);

// One CP932 converter kept open for a whole file, so that a file decoded line
// by line costs one converter, and each line's text is allocated once, at its
// exact length. CP932 has no shift states, so each code's character is asked
// of the system's converter once per process and remembered: a long file
// costs one look-up per character.
class Cp932Decoder {
public:
    Cp932Decoder();
    ~Cp932Decoder();
    Cp932Decoder(const Cp932Decoder &) = delete;
    Cp932Decoder &operator=(const Cp932Decoder &) = delete;
    bool valid() const { return system_.valid(); }
    // The text of `size` bytes at `data`, or, when a byte is not CP932, its
    // offset in `errorOffset` (from `data`) and the text before it.
    QString decode(const char *data, qsizetype size, qsizetype &errorOffset);

private:
    // The system's answer for the code of `size` bytes at `code`, in the form
    // the decoder remembers it.
    quint32 ask(const char *code, int size);

    Cp932SystemDecoder system_;
    std::vector<char16_t> scratch_;
};

// One CP932 converter kept open for a whole file. CP932 has no shift states, so
// each character's bytes are asked of the system's converter once per process
// and remembered: a long file costs one look-up per character.
class Cp932Encoder {
public:
    Cp932Encoder();
    ~Cp932Encoder();
    Cp932Encoder(const Cp932Encoder &) = delete;
    Cp932Encoder &operator=(const Cp932Encoder &) = delete;
    bool valid() const { return system_.valid(); }
    // Appends the CP932 bytes of `text` to `out` and returns -1; or returns the
    // position of the first character CP932 cannot hold, with the bytes of the
    // characters before it appended.
    qsizetype encodeAppend(QStringView text, QByteArray &out);
    // As encodeAppend, into `out`, which has room for two bytes per character;
    // `written` tells how many were written.
    qsizetype encodeInto(QStringView text, char *out, qsizetype &written);
    // The position of the first character CP932 cannot hold, or -1.
    qsizetype firstUnencodable(QStringView text);
    // Whether CP932 holds the character (never without a converter).
    bool holds(char16_t c);

private:
    quint16 codeOf(char16_t c);
    quint16 ask(char16_t c);

    Cp932SystemEncoder system_;
};

// The character at `index` of `text`: a surrogate pair read whole; a lone
// surrogate as itself.
char32_t codePointAt(QStringView text, qsizetype index);
// "U+XXXX" (or U+XXXXX past the BMP) with the character itself, for messages
// that name a character.
QString describeCharacter(char32_t c);

} // namespace mokpe::common
