#include "maintenance/user_table.h"

#include "common/text_file.h"
#include "settings/program_files.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace mokpe::maintenance {

bool PersonFileRead(AppState &state, platform::MessageService &messages)
{
    UserTable &users = state.users;
    const QString path = settings::personFilePath(state);
    if (!QFileInfo::exists(path)) {
        users.entries = QStringList(kMissingFileEntryCount, QString());
        users.lastIndex = std::clamp(users.lastIndex, -1, kMissingFileEntryCount - 1);
        messages.inform(kPersonFileMissingMessage);
        return true;
    }
    const common::TextReadResult read = common::readTextFile(path);
    if (!read.ok) {
        messages.inform(read.error);
        return false;
    }
    users.entries = read.lines;
    users.lastIndex = static_cast<int>(read.lines.size()) - 1;
    return true;
}

bool savePersonFile(AppState &state, const QStringList &gridEntries, platform::MessageService &messages)
{
    const QString error = common::writeCp932Lines(settings::personFilePath(state), gridEntries);
    if (!error.isEmpty()) {
        messages.inform(error);
        return false;
    }
    state.users.entries = gridEntries;
    // The main window lists the saved users at once.
    state.users.lastIndex = static_cast<int>(gridEntries.size()) - 1;
    return true;
}

QStringList listedUsers(const UserTable &users)
{
    const qsizetype count = std::min<qsizetype>(users.lastIndex + 1, users.entries.size());
    return count > 0 ? users.entries.mid(0, count) : QStringList();
}

} // namespace mokpe::maintenance
