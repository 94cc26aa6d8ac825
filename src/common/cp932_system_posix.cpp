#include "common/cp932_system.h"

#include <iconv.h>

namespace mokpe::common {

namespace {

// iconv_open's failure value.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)

iconv_t converter(void *handle)
{
    return static_cast<iconv_t>(handle);
}

} // namespace

Cp932SystemDecoder::Cp932SystemDecoder() : handle_(iconv_open("UTF-16LE", "CP932"))
{}

Cp932SystemDecoder::~Cp932SystemDecoder()
{
    if (valid())
        iconv_close(converter(handle_));
}

bool Cp932SystemDecoder::valid() const
{
    return converter(handle_) != kNoConverter;
}

std::optional<char16_t> Cp932SystemDecoder::characterOf(const char *code, int size)
{
    if (!valid())
        return std::nullopt;
    const iconv_t cd = converter(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *inPtr = const_cast<char *>(code);
    size_t inLeft = static_cast<size_t>(size);
    char16_t out[4];
    char *outPtr = reinterpret_cast<char *>(out);
    size_t outLeft = sizeof out;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc != static_cast<size_t>(-1) && inLeft == 0 && outLeft == sizeof out - sizeof(char16_t))
        return out[0];
    return std::nullopt;
}

Cp932SystemEncoder::Cp932SystemEncoder() : handle_(iconv_open("CP932", "UTF-16LE"))
{}

Cp932SystemEncoder::~Cp932SystemEncoder()
{
    if (valid())
        iconv_close(converter(handle_));
}

bool Cp932SystemEncoder::valid() const
{
    return converter(handle_) != kNoConverter;
}

int Cp932SystemEncoder::bytesOf(char16_t c, unsigned char out[2])
{
    if (!valid())
        return 0;
    const iconv_t cd = converter(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char16_t unit = c;
    char *inPtr = reinterpret_cast<char *>(&unit);
    size_t inLeft = sizeof unit;
    char bytes[8];
    char *outPtr = bytes;
    size_t outLeft = sizeof bytes;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    const auto produced = static_cast<int>(outPtr - bytes);
    if (rc == static_cast<size_t>(-1) || produced < 1 || produced > 2)
        return 0;
    for (int i = 0; i < produced; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    return produced;
}

} // namespace mokpe::common
