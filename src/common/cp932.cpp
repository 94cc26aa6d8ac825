#include "common/cp932.h"

#include <array>
#include <atomic>

namespace mokpe::common {

namespace {

// Windows maps five single bytes that glibc's table leaves out; they round-trip
// there, so they round-trip here too. (Wine reads only 0x80 of them.)
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

namespace {

// The remembered character of each byte from 0x80 on and of each lead byte
// with each byte after it, for every decoder of the process: 0 not asked yet,
// kUndecodable, else kDecoded with the character in the low 16 bits. CP932 has
// no shift states, so a code reads the same wherever it stands. Decoders on
// several threads at most ask a code twice.
constexpr quint32 kUndecodable = 1;
constexpr quint32 kDecoded = 0x10000;
std::array<std::atomic<quint32>, 0x80> rememberedSingles{};
std::array<std::atomic<quint32>, 0x8000> rememberedPairs{};

} // namespace

Cp932Decoder::Cp932Decoder() = default;

Cp932Decoder::~Cp932Decoder() = default;

quint32 Cp932Decoder::ask(const char *code, int size)
{
    if (const std::optional<char16_t> c = system_.characterOf(code, size))
        return kDecoded | *c;
    if (size == 1) {
        if (const char16_t c = windowsOnlySingleByte(static_cast<unsigned char>(code[0])))
            return kDecoded | c;
    }
    return kUndecodable;
}

QString Cp932Decoder::decode(const char *data, qsizetype size, qsizetype &errorOffset)
{
    errorOffset = -1;
    // ASCII needs no look-up: the common case of digits, dates and commas.
    qsizetype ascii = 0;
    while (ascii < size && static_cast<unsigned char>(data[ascii]) < 0x80)
        ++ascii;
    if (ascii == size)
        return QString::fromLatin1(data, size);
    // Never more characters than bytes.
    if (scratch_.size() < static_cast<size_t>(size))
        scratch_.resize(static_cast<size_t>(size));
    char16_t *const out = scratch_.data();
    for (qsizetype k = 0; k < ascii; ++k)
        out[k] = static_cast<unsigned char>(data[k]);
    char16_t *dst = out + ascii;
    for (qsizetype i = ascii; i < size;) {
        const auto byte = static_cast<unsigned char>(data[i]);
        if (byte < 0x80) {
            *dst++ = byte;
            ++i;
            continue;
        }
        quint32 code = kUndecodable;
        qsizetype length = 1;
        // A lead byte is never a character of its own, even where its trail is
        // bad, and one at the end has no trail.
        if (isLeadByte(byte)) {
            length = 2;
            if (i + 1 < size) {
                std::atomic<quint32> &remembered =
                    rememberedPairs[(byte - 0x80u) << 8 | static_cast<unsigned char>(data[i + 1])];
                code = remembered.load(std::memory_order_relaxed);
                if (code == 0) {
                    code = ask(data + i, 2);
                    if (valid())
                        remembered.store(code, std::memory_order_relaxed);
                }
            }
        } else {
            std::atomic<quint32> &remembered = rememberedSingles[byte - 0x80u];
            code = remembered.load(std::memory_order_relaxed);
            if (code == 0) {
                code = ask(data + i, 1);
                if (valid())
                    remembered.store(code, std::memory_order_relaxed);
            }
        }
        if (code == kUndecodable) {
            errorOffset = i;
            break;
        }
        *dst++ = static_cast<char16_t>(code & 0xFFFF);
        i += length;
    }
    return QString(reinterpret_cast<const QChar *>(out), dst - out);
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

namespace {

// The remembered bytes of each character from U+0080 on, for every encoder of
// the process: 0 not asked yet, kUnencodable, one byte (up to 0xFF) or two
// (lead byte high). Encoders on several threads at most ask a character twice.
constexpr quint16 kUnencodable = 1;
std::array<std::atomic<quint16>, 0x10000> rememberedCodes{};

} // namespace

Cp932Encoder::Cp932Encoder() = default;

Cp932Encoder::~Cp932Encoder() = default;

inline quint16 Cp932Encoder::codeOf(char16_t c)
{
    const quint16 code = rememberedCodes[c].load(std::memory_order_relaxed);
    return code != 0 ? code : ask(c);
}

quint16 Cp932Encoder::ask(char16_t c)
{
    quint16 code = kUnencodable;
    // A lone half of a surrogate pair is no character: CP932 holds none, nor
    // any character a pair makes.
    if (!QChar::isSurrogate(c)) {
        unsigned char bytes[2];
        const int produced = system_.bytesOf(c, bytes);
        // One byte may be below 0x80 (U+00A5 is 0x5C to glibc); never 0 or 1,
        // which mean "not asked" and "none" here.
        if (produced == 1 && bytes[0] > kUnencodable) {
            code = bytes[0];
        } else if (produced == 2) {
            code = static_cast<quint16>(bytes[0] << 8 | bytes[1]);
        } else if (const unsigned char single = windowsOnlyCharacter(c)) {
            code = single;
        }
    }
    rememberedCodes[c].store(code, std::memory_order_relaxed);
    return code;
}

qsizetype Cp932Encoder::encodeInto(QStringView text, char *out, qsizetype &written)
{
    written = 0;
    if (!valid())
        return 0;
    char *dst = out;
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    const char16_t *src = begin;
    for (; src != end; ++src) {
        const char16_t c = *src;
        // Every ASCII character is its own byte.
        if (c < 0x80) {
            *dst++ = static_cast<char>(c);
            continue;
        }
        const quint16 code = codeOf(c);
        if (code == kUnencodable) {
            written = dst - out;
            return src - begin;
        }
        if (code > 0xFF)
            *dst++ = static_cast<char>(code >> 8);
        *dst++ = static_cast<char>(code & 0xFF);
    }
    written = dst - out;
    return -1;
}

qsizetype Cp932Encoder::encodeAppend(QStringView text, QByteArray &out)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    qsizetype written = 0;
    const qsizetype bad = encodeInto(text, out.data() + start, written);
    out.resize(start + written);
    return bad;
}

qsizetype Cp932Encoder::firstUnencodable(QStringView text)
{
    if (!valid())
        return text.isEmpty() ? -1 : 0;
    const char16_t *src = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = src[i];
        if (c >= 0x80 && codeOf(c) == kUnencodable)
            return i;
    }
    return -1;
}

bool Cp932Encoder::holds(char16_t c)
{
    return valid() && (c < 0x80 || codeOf(c) != kUnencodable);
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

char32_t codePointAt(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size())
        return 0;
    const QChar c = text.at(index);
    if (c.isHighSurrogate() && index + 1 < text.size() && text.at(index + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(index + 1));
    return c.unicode();
}

QString describeCharacter(char32_t c)
{
    const QString code = QStringLiteral("%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::isPrint(c) && !QChar::isSurrogate(c))
        return QStringLiteral("「%1」(U+%2)").arg(QString::fromUcs4(&c, 1), code);
    return QStringLiteral("U+%1").arg(code);
}

} // namespace mokpe::common
