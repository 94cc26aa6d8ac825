#include "common/text_file.h"

#include "common/cp932.h"
#include "common/os_error_text.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

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

bool hasNonAscii(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

// Strict UTF-8 check: Qt's decoder replaces bad sequences, so look for errors.
bool decodeUtf8Strict(const QByteArray &bytes, QString &text)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = decoder.decode(bytes);
    return !decoder.hasError();
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
        QString text;
        if (bytes.startsWith(bom)) {
            if (!decodeUtf8Strict(bytes.mid(bom.size()), text)) {
                result.error = QStringLiteral("ファイル「%1」に，読み込めない文字があります．")
                                   .arg(shownPath(pathForMessages));
                return result;
            }
            result.ok = true;
            result.wasUtf8 = true;
            result.lines = splitLines(text);
            return result;
        }
        if (hasNonAscii(bytes) && decodeUtf8Strict(bytes, text)) {
            result.ok = true;
            result.wasUtf8 = true;
            result.lines = splitLines(text);
            return result;
        }
    }
    const Cp932Decoded decoded = decodeCp932(bytes);
    if (!decoded.ok) {
        result.error = QStringLiteral("ファイル「%1」の%2行目に，読み込めない文字があります．")
                           .arg(shownPath(pathForMessages))
                           .arg(lineNumberAt(bytes, decoded.errorOffset));
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
