#pragma once

#include "common/app_state.h"
#include "platform/messages.h"
#include "settings/program_files.h"

// "inifile.ini": 15 positional lines, one value each, read at start-up into the
// settings record and written back whole by every writer.
namespace mokpe::settings {

inline const QString kFirstStartMessage =
    QStringLiteral("ショートカットを作成する場合は，メンテナンスボタンより作成出来ます．");

// What the caller does when a file of the program folder cannot be used: the
// window goes on without it, a command stops. The message says which.
enum class WhenUnusable { GoOn, Stop };

// Reads the settings file into the record, creating it with defaults when it is
// missing (with the first-start message, once it is there), and rewrites it in
// normalised form. False when the file could not be read or written (the user
// has been told; an unreadable file leaves the defaults in the record).
bool Fm1_IniFileRead(AppState &state, platform::MessageService &messages,
                     WhenUnusable whenUnusable = WhenUnusable::GoOn);

// Writes lines 0 to 14 from the record to `path`. A failed write leaves the old
// file whole and is reported; returns whether the file was written.
bool Fm1_IniFileSave(AppState &state, const QString &path, platform::MessageService &messages);

// Writes a default file and marks the code system as not chosen. False when
// the file could not be written (the user has been told).
bool Fm1_IniFileInit(AppState &state, platform::MessageService &messages);

// The settings lines as the file would hold them (lines 0 to 14), for writers
// that keep the other lines as they stand.
QStringList settingsFileLines(const SettingsRecord &settings);

} // namespace mokpe::settings
