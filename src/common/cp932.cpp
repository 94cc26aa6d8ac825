#include "common/cp932.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace mokpe::common {

namespace {

// Windows maps five single bytes that glibc's table leaves out; they round-trip
// there, so they round-trip here too.
char16_t windowsOnlySingleByte(unsigned char byte)
{
    switch (byte) {
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return 0;
    }
}

unsigned char windowsOnlyCharacter(char16_t c)
{
    switch (c) {
    case 0x0080:
        return 0x80;
    case 0xF8F0:
        return 0xA0;
    case 0xF8F1:
        return 0xFD;
    case 0xF8F2:
        return 0xFE;
    case 0xF8F3:
        return 0xFF;
    default:
        return 0;
    }
}

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

Cp932Decoder::Cp932Decoder() : cd_(iconv_open("UTF-16LE", "CP932"))
{}

Cp932Decoder::~Cp932Decoder()
{
    if (valid())
        iconv_close(static_cast<iconv_t>(cd_));
}

bool Cp932Decoder::valid() const
{
    return cd_ != reinterpret_cast<void *>(-1);
}

QString Cp932Decoder::decode(const char *data, qsizetype size, qsizetype &errorOffset)
{
    errorOffset = -1;
    // ASCII needs no converter: the common case of digits, dates and commas.
    qsizetype ascii = 0;
    while (ascii < size && static_cast<unsigned char>(data[ascii]) < 0x80)
        ++ascii;
    if (ascii == size)
        return QString::fromLatin1(data, size);
    if (!valid()) {
        errorOffset = 0;
        return {};
    }
    const auto cd = static_cast<iconv_t>(cd_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // Never more characters than bytes: two bytes of UTF-16 per input byte.
    const qsizetype room = size * 2 + 16;
    if (scratch_.size() < room)
        scratch_.resize(room);
    const char *in = data;
    size_t inLeft = static_cast<size_t>(size);
    char *outPtr = scratch_.data();
    size_t outLeft = static_cast<size_t>(scratch_.size());
    while (inLeft > 0) {
        char *inPtr = const_cast<char *>(in);
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        in = inPtr;
        if (rc != static_cast<size_t>(-1))
            break;
        const auto byte = static_cast<unsigned char>(*in);
        // A lead byte is never a character of its own, even where its trail is bad.
        if (err == EILSEQ && !isLeadByte(byte)) {
            if (const char16_t c = windowsOnlySingleByte(byte)) {
                std::memcpy(outPtr, &c, sizeof c);
                outPtr += sizeof c;
                outLeft -= sizeof c;
                ++in;
                --inLeft;
                continue;
            }
        }
        errorOffset = in - data;
        break;
    }
    const qsizetype produced = (scratch_.size() - static_cast<qsizetype>(outLeft)) / 2;
    return QString(reinterpret_cast<const QChar *>(scratch_.constData()), produced);
}

Cp932Decoded decodeCp932(const QByteArray &bytes)
{
    Cp932Decoded result;
    Cp932Decoder decoder;
    qsizetype errorOffset = -1;
    result.text = decoder.decode(bytes.constData(), bytes.size(), errorOffset);
    if (errorOffset >= 0) {
        result.ok = false;
        result.errorOffset = errorOffset;
    }
    return result;
}

Cp932Encoder::Cp932Encoder() : cd_(iconv_open("CP932", "UTF-16LE"))
{}

Cp932Encoder::~Cp932Encoder()
{
    if (valid())
        iconv_close(static_cast<iconv_t>(cd_));
}

bool Cp932Encoder::valid() const
{
    return cd_ != reinterpret_cast<void *>(-1);
}

qsizetype Cp932Encoder::encodeAppend(QStringView text, QByteArray &out)
{
    if (!valid())
        return 0;
    const auto cd = static_cast<iconv_t>(cd_);
    // Back to the initial state, whatever a refused text left behind.
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const char *start = reinterpret_cast<const char *>(text.utf16());
    const char *in = start;
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    // Two bytes at most per character.
    const qsizetype room = std::max<qsizetype>(static_cast<qsizetype>(inLeft) + 16, 256);
    if (scratch_.size() < room)
        scratch_.resize(room);
    while (inLeft > 0) {
        char *outPtr = scratch_.data();
        size_t outLeft = static_cast<size_t>(scratch_.size());
        char *inPtr = const_cast<char *>(in);
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(scratch_.constData(), scratch_.size() - static_cast<qsizetype>(outLeft));
        in = inPtr;
        if (rc != static_cast<size_t>(-1))
            break;
        if (err == E2BIG)
            continue;
        const qsizetype index = (in - start) / 2;
        if (err == EILSEQ) {
            if (const unsigned char byte = windowsOnlyCharacter(text.at(index).unicode())) {
                out.append(static_cast<char>(byte));
                in += 2;
                inLeft -= 2;
                continue;
            }
        }
        return index;
    }
    return -1;
}

qsizetype Cp932Encoder::firstUnencodable(QStringView text)
{
    if (answers_.empty())
        answers_.assign(0x10000, 0);
    QByteArray discard;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        // Every ASCII character has its CP932 byte.
        if (c < 0x80)
            continue;
        unsigned char &answer = answers_[c];
        if (answer == 0) {
            // A lone half of a surrogate pair is no character: CP932 holds none.
            discard.clear();
            answer =
                QChar::isSurrogate(c) || encodeAppend(QStringView(&text.data()[i], 1), discard) >= 0 ? 2 : 1;
        }
        if (answer == 2)
            return i;
    }
    return -1;
}

Cp932Encoded encodeCp932(const QString &text)
{
    Cp932Encoded result;
    Cp932Encoder encoder;
    const qsizetype bad = encoder.encodeAppend(text, result.bytes);
    if (bad >= 0) {
        result.bytes.clear();
        result.ok = false;
        result.errorIndex = bad;
        if (bad < text.size())
            result.errorChar = text.at(bad);
    }
    return result;
}

QString describeCharacter(QChar c)
{
    const QString code = QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    if (c.isPrint() && !c.isSurrogate())
        return QStringLiteral("「%1」(U+%2)").arg(QString(c), code);
    return QStringLiteral("U+%1").arg(code);
}

} // namespace mokpe::common
