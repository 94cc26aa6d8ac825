#include "cli/commands.h"

#include <cstdio>

namespace mokpe::cli {

int runAccounts(const QStringList &)
{
    std::fputs("mokpe: this command is not built yet\n", stderr);
    return 1;
}

} // namespace mokpe::cli
