#include "fuzz_entries.h"

#include <array>

namespace mokpe::fuzz {

namespace {

constexpr std::array<Target, 10> kTargets = {{
    {"card_history", cardHistoryEntry, "card_history"},
    {"history_build", historyBuildEntry, "card_history"},
    {"journal_file", journalFileEntry, "journal_file"},
    {"journal_load", journalLoadEntry, "journal_file"},
    {"account_table", accountTableEntry, "account_table"},
    {"account_lines", accountLinesEntry, "account_table"},
    {"settings_file", settingsFileEntry, "settings_file"},
    {"users_file", usersFileEntry, "users_file"},
    {"export", exportEntry, "export"},
    {"export_writers", exportWritersEntry, "export_writers"},
}};

} // namespace

std::span<const Target> targets()
{
    return kTargets;
}

const Target *findTarget(QStringView name)
{
    for (const Target &target : kTargets) {
        if (name == QLatin1String(target.name))
            return &target;
    }
    return nullptr;
}

} // namespace mokpe::fuzz
