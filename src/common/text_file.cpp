#include "common/text_file.h"

#include "common/atomic_file.h"
#include "common/cp932.h"
#include "common/durable_write.h"
#include "common/os_error_text.h"
#include "common/regular_file.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

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

// What a strict UTF-8 reading (no overlong forms, no surrogates, nothing past
// U+10FFFF) finds in the bytes: the first byte that is not part of a valid
// sequence, how many such bytes there are, and how many characters took three
// bytes or more (every kana and kanji does).
struct Utf8Survey {
    qsizetype firstInvalid = -1;
    qsizetype invalidBytes = 0;
    qsizetype longSequences = 0;
};

// The length of the valid sequence starting at `i`, or 0.
int validUtf8Length(const unsigned char *data, qsizetype i, qsizetype n)
{
    const unsigned char b = data[i];
    if (b < 0x80)
        return 1;
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
        return 0;
    }
    if (i + length > n || data[i + 1] < low || data[i + 1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(data[i + k]))
            return 0;
    }
    return length;
}

// With `untilNoUtf8`, the survey stops once the invalid bytes outnumber the
// long sequences by more than the rest of the bytes could make up (a long
// sequence takes three of them): the file is then no UTF-8 whatever follows,
// and a CP932 history is not read to its end twice.
Utf8Survey surveyUtf8(const QByteArray &bytes, qsizetype from, bool untilNoUtf8)
{
    Utf8Survey survey;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = from;
    while (i < n) {
        if (data[i] < 0x80) {
            ++i;
            continue;
        }
        const int length = validUtf8Length(data, i, n);
        if (length == 0) {
            if (survey.firstInvalid < 0)
                survey.firstInvalid = i;
            ++survey.invalidBytes;
            ++i;
            if (untilNoUtf8 && 3 * (survey.invalidBytes - survey.longSequences) > n - i)
                break;
            continue;
        }
        if (length >= 3)
            ++survey.longSequences;
        i += length;
    }
    return survey;
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

QString nulMessage(const QString &path, const QByteArray &bytes, qsizetype offset)
{
    return QStringLiteral("ファイル「%1」の%2行目にNUL文字(0x00)があります．"
                          "テキストファイルではないため，読み込めません．")
        .arg(shownPath(path))
        .arg(lineNumberAt(bytes, offset));
}

QString utf16Message(const QString &path, TextEncoding encoding)
{
    return QStringLiteral(
               "ファイル「%1」はUTF-16で書かれているため，読み込めません．\r\n%2で保存し直して下さい．")
        .arg(shownPath(path), encoding == TextEncoding::Cp932OrUtf8
                                  ? QStringLiteral("Shift_JIS(CP932)かUTF-8")
                                  : QStringLiteral("Shift_JIS(CP932)"));
}

bool hasUtf16ByteOrderMark(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// Without a byte order mark, UTF-16 shows itself by the zero high bytes of its
// ASCII characters (digits, commas, line ends): NUL bytes all on even or all
// on odd offsets, at least one in four characters. A stray NUL in CP932 text
// is not UTF-16.
bool nulsLookLikeUtf16(const QByteArray &bytes)
{
    if (bytes.size() % 2 != 0)
        return false;
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes.at(i) == '\0')
            ++zeros[i % 2];
    }
    const qsizetype most = std::max(zeros[0], zeros[1]);
    const qsizetype fewest = std::min(zeros[0], zeros[1]);
    return fewest == 0 && most >= 2 && most * 4 >= bytes.size() / 2;
}

// Calls `take(offset, length)` for each line of the bytes from `from`, split at
// CR LF, lone LF or lone CR as splitLines() does, until `take` returns false.
// CP932 and UTF-8 never have CR or LF inside a character, so the bytes can be
// cut before decoding. The line ends are found with memchr, each kind looked
// for again only once passed: a file of one kind of line end is not searched
// to its end for the other at every line.
template <class Take> void forEachLine(const QByteArray &bytes, qsizetype from, Take take)
{
    const char *const data = bytes.constData();
    const char *const end = data + bytes.size();
    const auto next = [end](const char *at, char c) {
        const void *found = std::memchr(at, c, static_cast<size_t>(end - at));
        return found ? static_cast<const char *>(found) : end;
    };
    const char *start = data + from;
    const char *cr = next(start, '\r');
    const char *lf = next(start, '\n');
    while (start != end) {
        if (cr < start)
            cr = next(start, '\r');
        if (lf < start)
            lf = next(start, '\n');
        const char *lineEnd = std::min(cr, lf);
        if (!take(start - data, lineEnd - start) || lineEnd == end)
            return;
        const bool crLf = lineEnd == cr && lf != end && lineEnd + 1 == lf;
        start = lineEnd + (crLf ? 2 : 1);
    }
}
qsizetype lineCount(const QByteArray &bytes, qsizetype from)
{
    qsizetype count = 0;
    forEachLine(bytes, from, [&count](qsizetype, qsizetype) {
        ++count;
        return true;
    });
    return count;
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

TextReadResult decodeTextBytes(const QByteArray &bytes, TextEncoding encoding, const QString &pathForMessages,
                               Progress &progress)
{
    TextReadResult result;
    // Any error found from here on is in the bytes.
    result.failure = ReadFailure::Damaged;
    // Neither a history nor a table of the program ever holds a NUL byte; UTF-16
    // text holds many, and its byte order mark would pass for CP932.
    if (const qsizetype nul = bytes.indexOf('\0'); hasUtf16ByteOrderMark(bytes) || nul >= 0) {
        result.error = hasUtf16ByteOrderMark(bytes) || nulsLookLikeUtf16(bytes)
                           ? utf16Message(pathForMessages, encoding)
                           : nulMessage(pathForMessages, bytes, nul);
        return result;
    }

    qsizetype start = 0;
    if (encoding == TextEncoding::Cp932OrUtf8) {
        static const QByteArray bom("\xEF\xBB\xBF");
        const bool hasBom = bytes.startsWith(bom);
        start = hasBom ? bom.size() : 0;
        const Utf8Survey survey = surveyUtf8(bytes, start, !hasBom);
        // A byte order mark promises UTF-8. Without one, only Japanese text
        // tells UTF-8 from CP932: in UTF-8 every kana and kanji takes three
        // bytes, while CP932 text that happens to be valid UTF-8 (half-width
        // katakana pairs such as "ﾄｰ") only ever forms two-byte sequences, and
        // CP932 kana and kanji are mostly bytes that UTF-8 never starts with. So
        // Japanese UTF-8 with a few damaged bytes is still UTF-8, and the damage
        // is told on its own line rather than the whole file misread as CP932.
        result.wasUtf8 = hasBom || (survey.longSequences > 0 && survey.longSequences > survey.invalidBytes);
        if (result.wasUtf8 && survey.firstInvalid >= 0) {
            result.wasUtf8 = false;
            result.error = damagedLineMessage(pathForMessages, bytes, survey.firstInvalid);
            return result;
        }
    }

    // Decoded a line at a time, so that the file's text is never held whole
    // beside its lines.
    QStringList lines;
    const qsizetype count = lineCount(bytes, start);
    lines.reserve(count);
    ProgressSteps steps(progress, count);
    Cp932Decoder decoder;
    qsizetype badOffset = -1;
    forEachLine(bytes, start, [&](qsizetype offset, qsizetype length) {
        if (steps.stopAt(lines.size())) {
            result.cancelled = true;
            return false;
        }
        const char *data = bytes.constData() + offset;
        if (result.wasUtf8) {
            lines.append(QString::fromUtf8(data, length));
            return true;
        }
        qsizetype errorOffset = -1;
        lines.append(decoder.decode(data, length, errorOffset));
        if (errorOffset >= 0) {
            badOffset = offset + errorOffset;
            return false;
        }
        return true;
    });
    if (badOffset >= 0) {
        result.wasUtf8 = false;
        result.error = damagedLineMessage(pathForMessages, bytes, badOffset);
        return result;
    }
    if (result.cancelled) {
        result.wasUtf8 = false;
        result.failure = ReadFailure::None;
        return result;
    }
    steps.finish();
    result.ok = true;
    result.failure = ReadFailure::None;
    result.lines = std::move(lines);
    return result;
}

TextReadResult readTextFile(const QString &path, TextEncoding encoding, qint64 maxBytes, Progress &progress)
{
    RegularFileRead read = readRegularFile(path, maxBytes);
    if (!read.ok) {
        TextReadResult result;
        result.error = read.error;
        result.failure = read.failure;
        return result;
    }
    return decodeTextBytes(read.bytes, encoding, path, progress);
}

QString encodeCp932Lines(const QStringList &lines, QByteArray &bytes, const QString &pathForMessages)
{
    QByteArray out;
    Cp932Encoder encoder;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        // Read again, a line end inside a line would make two lines of it: a
        // user or an account pasted with one into an editor's cell, a setting
        // every later one of which would be out of place.
        const auto lineEnd = std::find_if(line.begin(), line.end(), [](QChar c) {
            return c == QLatin1Char('\r') || c == QLatin1Char('\n');
        });
        if (lineEnd != line.end()) {
            return QStringLiteral("ファイル「%1」の%2行目%3文字目に改行があるため，保存を中止しました．")
                .arg(shownPath(pathForMessages))
                .arg(i + 1)
                .arg(lineEnd - line.begin() + 1);
        }
        if (const qsizetype bad = encoder.encodeAppend(line, out); bad >= 0) {
            return QStringLiteral("ファイル「%1」の%2行目%3文字目の文字%4は，"
                                  "Shift_JIS(CP932)で保存できないため，保存を中止しました．")
                .arg(shownPath(pathForMessages))
                .arg(i + 1)
                .arg(bad + 1)
                .arg(describeCharacter(codePointAt(line, bad)));
        }
        out.append("\r\n", 2);
    }
    bytes = out;
    return {};
}

QString writeFailureMessage(const QString &path, const QString &reason)
{
    // QSaveFile says so in English when a folder stands where the file goes.
    const QString shown = QFileInfo(path).isDir()
                              ? osReasonForUser(QString::fromLocal8Bit(std::strerror(EISDIR)))
                              : osReasonForUser(reason);
    return QStringLiteral("ファイル「%1」に書き込めません．\r\n%2").arg(shownPath(path), shown);
}

QString writeFailureReason(QIODevice &device)
{
    // What QIODevice says when nobody gave it a reason.
    static const QString noReason = QBuffer().errorString();
    QString said = device.errorString();
    if (!said.isEmpty() && said != noReason)
        return said;
#ifdef Q_OS_UNIX
    // A write the file system cut short (the disk filled up in the middle of a
    // block, the file reached its size limit) comes back from Qt as a short
    // count without a reason. The file is being given up anyway: one more byte
    // meets the same condition and tells it.
    if (auto *file = qobject_cast<QFileDevice *>(&device); file && file->handle() >= 0) {
        const char byte = 0;
        if (::write(file->handle(), &byte, 1) < 0)
            return QString::fromLocal8Bit(std::strerror(errno));
    }
#endif
    return QStringLiteral("書き込みが途中で止まりました．");
}

QString openAtomicWrite(AtomicFile &file)
{
    const QString &path = file.targetPath();
    // The new file is renamed over whatever stands there: a pipe or a device
    // would be replaced.
    if (const QString reason = replaceRefusalReason(path); !reason.isEmpty())
        return writeFailureMessage(path, reason);
    // The rename would replace a file its permissions keep from being written.
    if (const QFileInfo target(path); target.exists() && !target.isWritable())
        return writeFailureMessage(path, readOnlyFileReason());
    QString reason;
    if (file.begin(reason))
        return {};
    return writeFailureMessage(path, reason);
}

QString commitAtomicWrite(AtomicFile &file)
{
    // The final flush may fail (a full disk) where no write did: flush and
    // sync before the new file takes the old one's place.
    QString reason;
    const bool written = !file.writeFailed() && file.error() == QFileDevice::NoError && file.flush();
    if (!written)
        reason = writeFailureReason(file);
    // The data must be on the disk before the new file replaces the old one.
    if (written && flushToDisk(file, reason)) {
        if (file.replaceTarget(reason))
            return {};
        reason = replaceFailureReason(file.writtenPath(), reason);
    }
    // Removed now, not with its object: on Windows it has a name beside the
    // old file until then.
    file.discard();
    return writeFailureMessage(file.targetPath(), reason);
}

QString writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    if (QString error = openAtomicWrite(file); !error.isEmpty())
        return error;
    if (file.write(bytes) != bytes.size()) {
        const QString reason = writeFailureReason(file);
        file.cancelWriting();
        return writeFailureMessage(path, reason);
    }
    return commitAtomicWrite(file);
}

QString writeCp932Lines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    if (QString error = encodeCp932Lines(lines, bytes, path); !error.isEmpty())
        return error;
    // Something other than a file there is refused by the write itself.
    if (replaceRefusalReason(path).isEmpty()) {
        if (const RegularFileRead old = readRegularFile(path, kMaxProgramFileBytes);
            old.failure == ReadFailure::Unreadable)
            return old.error +
                   QStringLiteral("\r\n読み込めないファイルは置き換えないため，保存を中止しました．");
    }
    return writeFileAtomically(path, bytes);
}

} // namespace mokpe::common
