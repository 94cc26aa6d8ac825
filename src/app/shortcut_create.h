#pragma once

#include "common/app_state.h"
#include "platform/services.h"

#include <QString>

namespace mokpe::app {

inline const QString kShortcutQuestion = QStringLiteral("デスクトップにショートカットを作成しますか？\r\n");
inline const QString kShortcutTitle = QStringLiteral("ショートカットの作成");

// "ショートカットの作成": after a Yes, a desktop shortcut to the program named
// after the main window's caption. On OS major version 6 the script beside the
// program makes it, run by the Windows Script Host. Nothing is reported, also
// when it fails. Uses services.messages, and services.processes or
// services.shortcuts.
void ShortcutCreate(const AppState &state, const platform::Services &services, const QString &currentCaption);

} // namespace mokpe::app
