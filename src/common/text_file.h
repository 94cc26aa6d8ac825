#pragma once

#include "common/progress.h"
#include "common/regular_file.h"

#include <QString>
#include <QStringList>

class QIODevice;

namespace mokpe::common {

class AtomicFile;

// How the bytes of a text file are to be understood.
enum class TextEncoding {
    Cp932,
    // A UTF-8 byte order mark, or valid UTF-8 holding a character of three
    // bytes or more (all Japanese text), means UTF-8; anything else is CP932.
    Cp932OrUtf8,
};

struct TextReadResult {
    bool ok = false;
    QStringList lines;
    bool wasUtf8 = false;
    // A message for the user when !ok: which file and, for bad bytes, a NUL
    // byte or a damaged UTF-8 character, which line; UTF-16 is named.
    QString error;
    // The user stopped the reading (!ok, no error to tell).
    bool cancelled = false;
    // !ok with an error: whether the file was missing, could not be read, or
    // was read and is no text of its encoding.
    ReadFailure failure = ReadFailure::None;
};

// The files of the program folder (settings, account table, users) hold a few
// hundred lines at most; anything far beyond is not one of them, and is not
// read into memory.
inline constexpr qint64 kMaxProgramFileBytes = qint64{16} * 1024 * 1024;

// Splits at CR LF, lone LF or lone CR. A line end at the very end ends the last
// line and begins no empty one: "a\r\nb\r\n" is two lines, "" is none.
QStringList splitLines(const QString &text);

// Refuses UTF-16 and NUL bytes, then decodes line by line: the whole decoded
// text is never held beside the lines. The lines decoded are told to
// `progress`, which may stop the decoding (cancelled, no lines).
TextReadResult decodeTextBytes(const QByteArray &bytes, TextEncoding encoding, const QString &pathForMessages,
                               Progress &progress = noProgress());
// Reads an ordinary file of at most `maxBytes` (see readRegularFile) and decodes it.
TextReadResult readTextFile(const QString &path, TextEncoding encoding = TextEncoding::Cp932,
                            qint64 maxBytes = kMaxProgramFileBytes, Progress &progress = noProgress());

// Encodes every line as CP932, each ended by CR LF. On failure returns the
// message that names the character and its place; `bytes` is then untouched.
QString encodeCp932Lines(const QStringList &lines, QByteArray &bytes, const QString &pathForMessages);

// Writes lines as CP932 with CR LF atomically (atomic_file.h): either the whole new
// file is in place or the old one is left as it was. Returns an empty text on
// success, else the message for the user. The files written so are the
// program's own (settings, account codes, users): one that is there but cannot
// be read (see ReadFailure) is not replaced, as it may still hold what the user
// saved.
QString writeCp932Lines(const QString &path, const QStringList &lines);

// Writes bytes atomically; empty text on success, else the message.
QString writeFileAtomically(const QString &path, const QByteArray &bytes);

// Opens `file`, an atomic write of the path to replace, for writing; for
// writers that stream into it. Something other than an ordinary file at the path is
// refused before anything is written. Empty text on success, else the message
// naming the file and the reason.
QString openAtomicWrite(AtomicFile &file);
// Ends a write through an open atomic write (for writers that stream into it):
// flushes, syncs and commits, or cancels and leaves the old file whole. Empty
// text on success, else the message naming the file and the reason.
QString commitAtomicWrite(AtomicFile &file);
// Why a write into `device` failed, in the system's words (for
// writeFailureMessage): also where the file system cut a write short and Qt
// gave no reason.
QString writeFailureReason(QIODevice &device);
// "ファイル「…」に書き込めません．" with the reason on its second line, in
// Japanese for the common causes.
QString writeFailureMessage(const QString &path, const QString &reason);

} // namespace mokpe::common
