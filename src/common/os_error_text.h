#pragma once

#include <QString>

namespace mokpe::common {

// The reason an operating-system call gave, as the user should read it: the
// common causes (a full disk, no permission, a missing folder…) in Japanese,
// any other reason in the system's own words.
QString osReasonForUser(const QString &systemReason);

// An existing file that its permissions keep from being written (Qt says so
// in English, with no error number).
QString readOnlyFileReason();

} // namespace mokpe::common
