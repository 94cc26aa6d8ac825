#pragma once

#include <QString>

namespace mokpe::common {

// The Japanese text for a reason Windows gave (as Qt words it) when it is one
// of the common error codes (a full disk, no access, a file another program
// holds open…); empty for any other reason.
QString windowsReasonForUser(const QString &systemReason);

// Windows' own text for an error code, as Qt words it where it gives one.
QString windowsErrorText(unsigned long code);

} // namespace mokpe::common
