#pragma once

#include "platform/services.h"
#include "support/fake_printers.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <deque>

namespace mokpe::test {

// One message box as the user would have seen it.
struct ShownMessage {
    enum Kind { Inform, Ask, AskOrCancel, Offer } kind;
    QString text;
    QString title;
    friend bool operator==(const ShownMessage &, const ShownMessage &) = default;
};

// Records every message and answers questions from a script; a question with
// no scripted answer fails the test (and is answered No).
class ScriptedMessages final : public platform::MessageService {
public:
    void inform(const QString &text, const QString &title = platform::kDefaultTitle) override;
    bool ask(const QString &text, const QString &title = platform::kDefaultTitle) override;
    // Recorded as AskOrCancel; answered from the same script (cancelNext for
    // the third button).
    platform::Answer askOrCancel(const QString &text,
                                 const QString &title = platform::kDefaultTitle) override;
    // Recorded as an Offer of `text`; answered from the same script as the
    // questions (true: the offered button).
    bool offer(const QString &text, const QString &action,
               const QString &title = platform::kDefaultTitle) override;
    void answerNext(bool yes) { answers_.push_back(yes ? platform::Answer::Yes : platform::Answer::No); }
    // "キャンセル", Esc or the close box; a Yes/No question takes it as No.
    void cancelNext() { answers_.push_back(platform::Answer::Cancel); }
    QStringList offeredActions;
    QStringList texts() const;
    std::vector<ShownMessage> shown;
    int unexpectedQuestions = 0;

private:
    platform::Answer nextAnswer(const QString &text);
    std::deque<platform::Answer> answers_;
};

// Answers each file dialog from a script and records what it was asked; a
// dialog with no scripted answer fails the test (and is cancelled).
class ScriptedFileDialogs final : public platform::FileDialogService {
public:
    QString openFile(const platform::FileRequest &request) override;
    QString saveFile(const platform::FileRequest &request) override;
    void chooseNext(const QString &path) { choices_.push_back(path); }
    void cancelNext() { choices_.emplace_back(); }
    std::vector<platform::FileRequest> requests;
    QStringList filters;
    QStringList presetNames;
    int unexpectedDialogs = 0;

private:
    QString next();
    std::deque<QString> choices_;
};

class RecordingProcessLauncher final : public platform::ProcessLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments) override;
    struct Start {
        QString program;
        QStringList arguments;
    };
    std::vector<Start> starts;
    bool result = true;
};

// Answers existence from a set of paths, and for any other path from the disk.
class FakeFileSystem final : public platform::FileSystemQuery {
public:
    bool exists(const QString &path) override;
    QSet<QString> present;
    QStringList asked;
};

class FakeLauncherEntry final : public platform::LauncherEntryService {
public:
    void setValue(const QString &subkey, const QString &name, const QString &value) override;
    // subkey + "\" + name -> value
    QMap<QString, QString> values;
    int writes = 0;
};

class FakeShortcuts final : public platform::ShortcutService {
public:
    QString createDesktopShortcut(const QString &name, const QString &target) override;
    struct Made {
        QString name;
        QString target;
    };
    std::vector<Made> made;
};

class FakeSystemInfo final : public platform::SystemInfo {
public:
    double osVersion() override { return version; }
    double version = 10.0;
};

// Records every switch of a text box's input method, by the box's objectName.
class RecordingInputModes final : public platform::InputModeService {
public:
    void setInputMode(QObject &textBox, platform::InputMode mode) override;
    struct Switch {
        QString box;
        platform::InputMode mode;
        friend bool operator==(const Switch &, const Switch &) = default;
    };
    std::vector<Switch> switches;
};

// All fakes together, with a Services view over them.
struct ScriptedServices {
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    RecordingProcessLauncher processes;
    FakeFileSystem files;
    FakeLauncherEntry launcher;
    FakeShortcuts shortcuts;
    FakeSystemInfo system;
    RecordingInputModes inputModes;
    // 6 January 2026 unless a test sets another day.
    platform::FixedClock clock{QDate(2026, 1, 6)};
    FakePrinterService printers;
    platform::Services services()
    {
        return {messages,  dialogs, processes, files,    launcher,
                shortcuts, system,  clock,     printers, inputModes};
    }
};

} // namespace mokpe::test
