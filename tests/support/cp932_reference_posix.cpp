#include "support/cp932_reference.h"

#include <iconv.h>

#include <vector>

namespace mokpe::test {

namespace {

// Converts all of `in` or nothing.
std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in)
{
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::vector<char> out(static_cast<size_t>(in.size()) * 4 + 8);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = out.size();
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    return QByteArray(out.data(), outPtr - out.data());
}

} // namespace

std::optional<QByteArray> systemCp932Bytes(char16_t c)
{
    return convert("CP932", "UTF-16LE", QByteArray(reinterpret_cast<const char *>(&c), sizeof c));
}

std::optional<QString> systemCp932Text(const QByteArray &bytes)
{
    const std::optional<QByteArray> utf16 = convert("UTF-16LE", "CP932", bytes);
    if (!utf16)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar *>(utf16->constData()), utf16->size() / 2);
}

} // namespace mokpe::test
