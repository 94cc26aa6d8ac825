#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "platform/processes.h"
#include "platform/shortcut.h"

#include <QString>

namespace mokpe::app {

inline const QString kShortcutQuestion = QStringLiteral("デスクトップにショートカットを作成しますか？\r\n");
inline const QString kShortcutTitle = QStringLiteral("ショートカットの作成");

// "ショートカットの作成": after a Yes, a desktop shortcut to the program named
// after the main window's caption. On OS major version 6 the script beside the
// program makes it, run by the Windows Script Host. Nothing is reported, also
// when it fails.
struct ShortcutServices {
    platform::MessageService &messages;
    // Runs the script on OS major version 6.
    platform::ProcessLauncher &processes;
    // Makes the shortcut everywhere else.
    platform::ShortcutService &shortcuts;
};
void ShortcutCreate(const AppState &state, const ShortcutServices &services, const QString &currentCaption);

} // namespace mokpe::app
