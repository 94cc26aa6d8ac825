#include "common/text_file.h"

#include "common/cp932.h"
#include "common/os_error_text.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace mokpe::common {

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// Checks UTF-8 strictly (no overlong forms, no surrogates, nothing past
// U+10FFFF). Returns the offset of the first byte that is not part of a valid
// sequence, or -1; `longSequence` tells whether any character took three bytes
// or more.
qsizetype firstInvalidUtf8(const QByteArray &bytes, qsizetype from, bool &longSequence)
{
    longSequence = false;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = from;
    while (i < n) {
        const unsigned char b = data[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                high = 0x8F;
        } else {
            return i;
        }
        if (i + length > n || data[i + 1] < low || data[i + 1] > high)
            return i;
        for (int k = 2; k < length; ++k) {
            if (!isContinuation(data[i + k]))
                return i;
        }
        if (length >= 3)
            longSequence = true;
        i += length;
    }
    return -1;
}

int lineNumberAt(const QByteArray &bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset && i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n' || (c == '\r' && (i + 1 >= bytes.size() || bytes.at(i + 1) != '\n')))
            ++line;
    }
    return line;
}

QString damagedLineMessage(const QString &path, const QByteArray &bytes, qsizetype offset)
{
    return QStringLiteral("ファイル「%1」の%2行目に，読み込めない文字があります．")
        .arg(shownPath(path))
        .arg(lineNumberAt(bytes, offset));
}

// The data must be on the disk before the new file replaces the old one. Some
// file systems cannot sync at all (EINVAL): only a real write failure counts.
bool syncedToDisk(QSaveFile &file, QString &reason)
{
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#else
    Q_UNUSED(file);
    Q_UNUSED(reason);
#endif
    return true;
}

} // namespace

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

TextReadResult decodeTextBytes(const QByteArray &bytes, TextEncoding encoding, const QString &pathForMessages)
{
    TextReadResult result;
    if (encoding == TextEncoding::Cp932OrUtf8) {
        static const QByteArray bom("\xEF\xBB\xBF");
        const bool hasBom = bytes.startsWith(bom);
        const qsizetype start = hasBom ? bom.size() : 0;
        bool longSequence = false;
        const qsizetype invalid = firstInvalidUtf8(bytes, start, longSequence);
        // A byte order mark promises UTF-8. Without one, only Japanese text
        // tells UTF-8 from CP932: in UTF-8 every kana and kanji takes three
        // bytes, while CP932 text that happens to be valid UTF-8 (half-width
        // katakana pairs such as "ﾄｰ") only ever forms two-byte sequences.
        if (hasBom && invalid >= 0) {
            result.error = damagedLineMessage(pathForMessages, bytes, invalid);
            return result;
        }
        if (hasBom || (invalid < 0 && longSequence)) {
            result.ok = true;
            result.wasUtf8 = true;
            result.lines = splitLines(QString::fromUtf8(bytes.constData() + start, bytes.size() - start));
            return result;
        }
    }
    const Cp932Decoded decoded = decodeCp932(bytes);
    if (!decoded.ok) {
        result.error = damagedLineMessage(pathForMessages, bytes, decoded.errorOffset);
        return result;
    }
    result.ok = true;
    result.lines = splitLines(decoded.text);
    return result;
}

TextReadResult readTextFile(const QString &path, TextEncoding encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        TextReadResult result;
        result.error =
            QStringLiteral("ファイル「%1」を開けません．\r\n%2").arg(shownPath(path), osReasonForUser(file.errorString()));
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        TextReadResult result;
        result.error =
            QStringLiteral("ファイル「%1」を読み込めません．\r\n%2").arg(shownPath(path), osReasonForUser(file.errorString()));
        return result;
    }
    return decodeTextBytes(bytes, encoding, path);
}

QString encodeCp932Lines(const QStringList &lines, QByteArray &bytes, const QString &pathForMessages)
{
    QByteArray out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const Cp932Encoded encoded = encodeCp932(lines.at(i));
        if (!encoded.ok) {
            return QStringLiteral("ファイル「%1」の%2行目%3文字目の文字%4は，"
                                  "Shift_JIS(CP932)で保存できないため，保存を中止しました．")
                .arg(shownPath(pathForMessages))
                .arg(i + 1)
                .arg(encoded.errorIndex + 1)
                .arg(describeCharacter(encoded.errorChar));
        }
        out.append(encoded.bytes);
        out.append("\r\n", 2);
    }
    bytes = out;
    return {};
}

QString writeFailureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("ファイル「%1」に書き込めません．\r\n%2").arg(shownPath(path), osReasonForUser(reason));
}

QString commitAtomicWrite(QSaveFile &file)
{
    // QSaveFile::commit() does not report a failure of the final flush (a full
    // disk) and would rename the short file over the old one: flush and sync first.
    QString reason;
    const bool written = file.error() == QFileDevice::NoError && file.flush();
    if (!written)
        reason = file.errorString();
    if (written && syncedToDisk(file, reason) && file.commit())
        return {};
    if (reason.isEmpty())
        reason = file.errorString();
    file.cancelWriting();
    return writeFailureMessage(file.fileName(), reason);
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailureMessage(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return writeFailureMessage(path, reason);
    }
    return commitAtomicWrite(file);
}

QString writeCp932Lines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    const QString error = encodeCp932Lines(lines, bytes, path);
    if (!error.isEmpty())
        return error;
    return writeFileAtomically(path, bytes);
}

} // namespace mokpe::common
