#pragma once

#include "platform/file_dialogs.h"
#include "platform/input_modes.h"
#include "platform/launcher_entry.h"
#include "platform/processes.h"
#include "platform/shortcut.h"

// Services that do nothing, for callers that never reach them (the fuzz
// targets, the benchmarks, a tour of the windows) and for a system without the
// means (no input method to switch).
namespace mokpe::platform {

// Every dialog is cancelled.
class NoFileDialogs final : public FileDialogService {
public:
    QString openFile(const FileRequest &) override { return {}; }
    QString saveFile(const FileRequest &) override { return {}; }
};

// No program is started.
class NoProcesses final : public ProcessLauncher {
public:
    bool startDetached(const QString &, const QStringList &) override { return false; }
};

class NoLauncherEntry final : public LauncherEntryService {
public:
    void setValue(const QString &, const QString &, const QString &) override {}
};

// No shortcut is made.
class NoShortcuts final : public ShortcutService {
public:
    QString createDesktopShortcut(const QString &, const QString &) override { return {}; }
};

class NoInputMethod final : public InputModeService {
public:
    void setInputMode(QObject &, InputMode) override {}
};

} // namespace mokpe::platform
