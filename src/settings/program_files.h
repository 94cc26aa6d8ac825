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
// The read store earlier versions kept for every history that gave no card
// ID, whoever's card it was: still one of the folder's files, read no more.
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
// The read store of a card (see readStoreFileName); for a history without a
// card ID the store of the chosen user (see userReadStoreFileName), and empty
// when no user is chosen: whose card it was is then unknown.
QString readStoreFilePath(const AppState &state, const QString &cardId);
// The GUI program's own file, with the platform's separators: the launcher
// entry and the desktop shortcut both point at it.
QString programExecutablePath(const AppState &state);

// The store's file name for a card: "card_reads.csv" without an ID, else
// "card_reads_<ID>.csv" with any character but letters, digits and "-" written
// as "_" and four hex digits. An ID too long for a file name is named by its
// hash after a "~", which no ID written out can give.
QString readStoreFileName(const QString &cardId);
// The store of a user's card that gives no ID: "user_reads_<entry>.csv", the
// entry written out as a card ID is.
QString userReadStoreFileName(const QString &userEntry);
// Whether a file of the program folder by this name is a read store or the
// lock beside one.
bool isReadStoreFileName(const QString &name, Qt::CaseSensitivity cs = Qt::CaseSensitive);
// Whether the program folder holds a store of any card or user.
bool anyReadStoreExists(const QString &programFolder);

// The files whose names never change: the settings, the account codes, the users.
QStringList fixedProgramFileNames();
// Whether the program keeps (or may make) a file of this name in its folder:
// what no output may be written over.
bool isProgramFileName(const QString &name, Qt::CaseSensitivity cs);

} // namespace mokpe::settings
