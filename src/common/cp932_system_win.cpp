#include "common/cp932_system.h"

#include <windows.h>

namespace mokpe::common {

namespace {

constexpr UINT kCodePage = 932;

} // namespace

// Windows' conversion needs no handle.
Cp932SystemDecoder::Cp932SystemDecoder() : handle_(nullptr)
{}

Cp932SystemDecoder::~Cp932SystemDecoder() = default;

bool Cp932SystemDecoder::valid() const
{
    return IsValidCodePage(kCodePage);
}

std::optional<char16_t> Cp932SystemDecoder::characterOf(const char *code, int size)
{
    wchar_t out[4];
    // Without MB_ERR_INVALID_CHARS Windows would read a bad code as U+30FB or '?'.
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, code, size, out, 4);
    if (n != 1)
        return std::nullopt;
    return static_cast<char16_t>(out[0]);
}

Cp932SystemEncoder::Cp932SystemEncoder() : handle_(nullptr)
{}

Cp932SystemEncoder::~Cp932SystemEncoder() = default;

bool Cp932SystemEncoder::valid() const
{
    return IsValidCodePage(kCodePage);
}

int Cp932SystemEncoder::bytesOf(char16_t c, unsigned char out[2])
{
    const wchar_t unit = c;
    char bytes[4];
    BOOL usedDefault = FALSE;
    // No best fit: Windows would write U+00A5 as a backslash and U+301C as
    // U+FF5E's code, characters that read back as others. The default
    // character ('?') in place of one it cannot write is no answer either.
    const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &unit, 1, bytes, sizeof bytes, nullptr,
                                      &usedDefault);
    if (usedDefault || n < 1 || n > 2)
        return 0;
    for (int i = 0; i < n; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    return n;
}

} // namespace mokpe::common
