#pragma once

#include "common/app_state.h"

#include <QString>
#include <QStringList>

// The files the program keeps in its own folder, and where each one is: every
// name and path of that folder is spelled here and nowhere else.
namespace mokpe::settings {

inline const QString kSettingsFileName = QStringLiteral("inifile.ini");
inline const QString kAccountCodeFileName = QStringLiteral("kamoku_code.csv");
inline const QString kPersonFileName = QStringLiteral("person.csv");
// The read store of a history that gives no card ID.
inline const QString kReadStoreFileName = QStringLiteral("card_reads.csv");
// The lock beside a store: "<store>.lock".
inline const QString kLockSuffix = QStringLiteral(".lock");
// The script the Windows shortcut is made by.
inline const QString kShortcutScriptName = QStringLiteral("mokpe_scut.vbs");

// The file `fileName` of the program folder.
QString programFilePath(const AppState &state, const QString &fileName);
QString settingsFilePath(const AppState &state);
QString accountCodeFilePath(const AppState &state);
QString personFilePath(const AppState &state);
// The read store of a card (see readStoreFileName).
QString readStoreFilePath(const AppState &state, const QString &cardId);
// The GUI program's own file, with the platform's separators: the launcher
// entry and the desktop shortcut both point at it.
QString programExecutablePath(const AppState &state);

// The store's file name for a card: "card_reads.csv" without an ID, else
// "card_reads_<ID>.csv" with any character but letters, digits and "-" written
// as "_" and four hex digits. An ID too long for a file name is named by its
// hash after a "~", which no ID written out can give.
QString readStoreFileName(const QString &cardId);
// Whether a file of the program folder by this name is a read store or the
// lock beside one.
bool isReadStoreFileName(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// Whether the program folder holds a store of any card.
bool anyReadStoreExists(const QString &programFolder);

// The files whose names never change: the settings, the account codes, the users.
QStringList fixedProgramFileNames();
// Whether the program keeps (or may make) a file of this name in its folder:
// what no output may be written over.
bool isProgramFileName(const QString &name, Qt::CaseSensitivity cs);

} // namespace mokpe::settings
