#pragma once

#include <QStringList>

namespace mokpe::ui {

// Where Qt's own Japanese texts (the buttons of a question, the open and save
// dialogs, the print preview) are looked for, in this order: the folder
// "translations" beside the program, where the Windows build ships
// qtbase_ja.qm, then Qt's own translations folder.
QStringList qtTranslationFolders();

// Loads qtbase_ja.qm from the first of `folders` that holds it into the
// running application, whatever the system's language: every text the user
// sees is Japanese. Returns the file loaded; empty when no folder has it (Qt's
// texts then stay English).
QString installQtTranslation(const QStringList &folders = qtTranslationFolders());

} // namespace mokpe::ui
