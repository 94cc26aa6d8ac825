#include "fuzz_entries.h"

#include <array>

namespace mokpe::fuzz {

namespace {

constexpr std::array<Target, 6> kTargets = {{
    {"card_history", cardHistoryEntry},
    {"journal_file", journalFileEntry},
    {"account_table", accountTableEntry},
    {"settings_file", settingsFileEntry},
    {"users_file", usersFileEntry},
    {"export", exportEntry},
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
