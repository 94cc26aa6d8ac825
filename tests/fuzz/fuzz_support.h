#pragma once

#include "fuzz_entries.h"

#include "common/app_state.h"
#include "import/card_history_reader.h"
#include "platform/messages.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// What the fuzzing entries share: a program folder of their own, messages that
// are recorded instead of shown, and the rules that hold for every file read.
namespace mokpe::fuzz {

// Adds `rule` to the findings when it does not hold.
void expect(Findings &findings, bool holds, const QString &rule);

// The program folder of this process: one private temporary folder, emptied
// for every input, so that a run of millions of inputs reuses one folder.
class ScratchFolder {
public:
    static ScratchFolder &instance();
    // Empties the folder; returns its path.
    QString fresh();
    QString path() const { return dir_.path(); }
    QString filePath(const QString &name) const { return dir_.filePath(name); }
    // Writes `bytes` as the file `name`; returns its path.
    QString write(const QString &name, QByteArrayView bytes) const;
    // The names of the files now in the folder.
    QStringList names() const;

private:
    ScratchFolder();
    QTemporaryDir dir_;
};

// The program-wide values as a new start of the program finds them, for the
// program folder `folder`. Two sets (`which` 0 and 1) live as long as the
// process and are reset for every input, all but the journal grid: as in the
// program, the editor's start-up initialises it for each history. So an input
// costs no fresh grid of two thousand rows.
AppState &freshState(const QString &folder, int which = 0);

// The settings record a first start of the program makes (the defaults), made
// once in a process.
const SettingsRecord &firstStartSettings();

// Messages as a user would have seen them; every question is answered `answer`.
class RecordingMessages final : public platform::MessageService {
public:
    explicit RecordingMessages(bool answer = true) : answer_(answer) {}
    void inform(const QString &text, const QString &title = platform::kDefaultTitle) override;
    bool ask(const QString &text, const QString &title = platform::kDefaultTitle) override;
    QStringList informed;
    QStringList asked;

private:
    bool answer_;
};

// The input decoded as a history file is read (CP932, or UTF-8 when it is
// clearly UTF-8) and taken into the card history, without a file.
import::CsvReadOutcome takeHistoryBytes(AppState &state, QByteArrayView input, const QString &fileName,
                                        RecordingMessages &messages);

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

// The input's bytes split at CR LF, lone LF or lone CR, as the text files are.
QList<QByteArrayView> byteLines(QByteArrayView bytes);

// Rules for what a file reader told the user:
// - every message says something;
// - a message that names the line of a character it cannot read names a line
//   of the file, and that line on its own cannot be read either (as CP932, or
//   as UTF-8 when `utf8Possible`).
void checkMessages(Findings &findings, const RecordingMessages &messages, QByteArrayView fileBytes,
                   bool utf8Possible);

// Splits the input at `separator` into exactly `count` parts; the last part
// takes the rest, missing parts are empty.
QList<QByteArrayView> sections(QByteArrayView input, char separator, int count);

} // namespace mokpe::fuzz
