#include "app/shortcut_create.h"

#include "settings/program_files.h"

#include <QDir>

namespace mokpe::app {

void ShortcutCreate(const AppState &state, const ShortcutServices &services, const QString &currentCaption)
{
    if (!services.messages.ask(kShortcutQuestion, kShortcutTitle))
        return;
    if (state.osMajorVersion == 6) {
        // The script path is one argument, however many spaces the folder holds.
        const QString script =
            QDir::toNativeSeparators(settings::programFilePath(state, settings::kShortcutScriptName));
        services.processes.startDetached(QStringLiteral("WSCRIPT.EXE"), {script});
        return;
    }
    services.shortcuts.createDesktopShortcut(currentCaption, settings::programExecutablePath(state));
}

} // namespace mokpe::app
