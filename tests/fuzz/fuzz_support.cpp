#include "fuzz_support.h"

#include "common/cp932.h"
#include "common/text_file.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QUtf8StringView>

#include <cstdlib>

namespace mokpe::fuzz {

void expect(Findings &findings, bool holds, const QString &rule)
{
    if (!holds)
        findings.append(rule);
}

ScratchFolder &ScratchFolder::instance()
{
    static ScratchFolder folder;
    return folder;
}

ScratchFolder::ScratchFolder() : dir_(QDir::tempPath() + QStringLiteral("/mokpe-fuzz-XXXXXX"))
{
    // Without its folder no input can be tried: better to stop at once.
    if (!dir_.isValid())
        std::abort();
}

QString ScratchFolder::fresh()
{
    QDir dir(dir_.path());
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            dir.remove(entry.fileName());
    }
    return dir_.path();
}

QString ScratchFolder::write(const QString &name, QByteArrayView bytes) const
{
    const QString path = filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        std::abort();
    return path;
}

QStringList ScratchFolder::names() const
{
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

AppState &freshState(const QString &folder, int which)
{
    static AppState states[2];
    AppState &state = states[which];
    state.programFolder = folder;
    state.settings = SettingsRecord();
    state.history = CardHistory();
    state.codeSystemState = 0;
    state.summaryPrefix.clear();
    state.accounts = AccountCodeTable();
    state.users = UserTable();
    state.osMajorVersion = 0;
    state.accountEditorDefaultSet = 0;
    // The journal grid stays as the last input left it, as the program's own
    // grid does until the editor's start-up initialises it for the next history.
    return state;
}

const SettingsRecord &firstStartSettings()
{
    static const SettingsRecord settings = [] {
        ScratchFolder &folder = ScratchFolder::instance();
        AppState &state = freshState(folder.fresh(), 1);
        RecordingMessages messages;
        settings::Fm1_IniFileRead(state, messages);
        folder.fresh();
        return state.settings;
    }();
    return settings;
}

void RecordingMessages::inform(const QString &text, const QString &)
{
    informed.append(text);
}

bool RecordingMessages::ask(const QString &text, const QString &)
{
    asked.append(text);
    return answer_;
}

import::CsvReadOutcome takeHistoryBytes(AppState &state, QByteArrayView input, const QString &fileName,
                                        RecordingMessages &messages){return import::takeCardHistory(
    state.history, common::decodeTextBytes(input.toByteArray(), common::TextEncoding::Cp932OrUtf8, fileName),
    messages);
} // namespace mokpe::fuzz

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QList<QByteArrayView> byteLines(QByteArrayView bytes)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.append(bytes.sliced(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(bytes.sliced(start));
    return lines;
}

void checkMessages(Findings &findings, const RecordingMessages &messages, QByteArrayView bytes,
                   bool utf8Possible)
{
    static const QRegularExpression damagedLine(QStringLiteral("の(\\d+)行目に，読み込めない文字があります"));
    // Split only when a message names a line: most inputs raise none.
    QList<QByteArrayView> lines;
    bool split = false;
    for (const QString &text : messages.informed + messages.asked) {
        expect(findings, !text.trimmed().isEmpty(), QStringLiteral("a message box shows no text"));
        const QRegularExpressionMatch match = damagedLine.match(text);
        if (!match.hasMatch())
            continue;
        if (!split) {
            lines = byteLines(bytes);
            split = true;
        }
        const qsizetype line = match.captured(1).toLongLong();
        if (line < 1 || line > lines.size()) {
            findings.append(QStringLiteral("the message names line %1 of a file of %2 lines: %3")
                                .arg(line)
                                .arg(lines.size())
                                .arg(text));
            continue;
        }
        const QByteArray named = lines.at(line - 1).toByteArray();
        const bool readsAsCp932 = common::decodeCp932(named).ok;
        const bool readsAsUtf8 = QUtf8StringView(named).isValidUtf8();
        expect(
            findings, !readsAsCp932 || (utf8Possible && !readsAsUtf8),
            QStringLiteral("the message names line %1, which on its own reads well: %2").arg(line).arg(text));
    }
}

QList<QByteArrayView> sections(QByteArrayView input, char separator, int count)
{
    QList<QByteArrayView> parts;
    qsizetype start = 0;
    for (int k = 0; k < count - 1; ++k) {
        const qsizetype end = start <= input.size() ? input.indexOf(separator, start) : -1;
        if (end < 0)
            break;
        parts.append(input.sliced(start, end - start));
        start = end + 1;
    }
    parts.append(start <= input.size() ? input.sliced(start) : QByteArrayView());
    while (parts.size() < count)
        parts.append(QByteArrayView());
    return parts;
}

} // namespace mokpe::fuzz
