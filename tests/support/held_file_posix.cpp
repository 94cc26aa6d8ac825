#include "support/held_file.h"

namespace mokpe::test {

HeldFile::HeldFile(const QString &)
{}

HeldFile::~HeldFile() = default;

QString HeldFile::cannotHoldReason()
{
    return QStringLiteral("no share modes on Linux: a file open elsewhere is still replaced");
}

} // namespace mokpe::test
