#include "support/cp932_reference.h"

#include <windows.h>

#include <vector>

namespace mokpe::test {

std::optional<QByteArray> systemCp932Bytes(char16_t c)
{
    const wchar_t unit = c;
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes, sizeof bytes, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return std::nullopt;
    return QByteArray(bytes, n);
}

std::optional<QString> systemCp932Text(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    std::vector<wchar_t> out(static_cast<size_t>(bytes.size()) + 4);
    const int n =
        MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.constData(), static_cast<int>(bytes.size()),
                            out.data(), static_cast<int>(out.size()));
    if (n <= 0)
        return std::nullopt;
    return QString::fromWCharArray(out.data(), n);
}

} // namespace mokpe::test
