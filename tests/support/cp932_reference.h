#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The system's own CP932 conversion asked directly, beside the converters
// under test: glibc iconv on Linux (cp932_reference_posix.cpp), code page 932
// on Windows (cp932_reference_win.cpp).
namespace mokpe::test {

// The system's bytes for one character, or nothing when it cannot write it as
// itself.
std::optional<QByteArray> systemCp932Bytes(char16_t c);
// The system's reading of a whole text, or nothing when any byte is not CP932.
std::optional<QString> systemCp932Text(const QByteArray &bytes);

} // namespace mokpe::test
