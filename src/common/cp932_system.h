#pragma once

#include <optional>

// The system's own CP932 conversion, one code at a time: glibc iconv's "CP932"
// on Linux (cp932_system_posix.cpp), Windows' code page 932 on Windows
// (cp932_system_win.cpp). The converters of cp932.h ask each code once per
// process and remember the answer; nothing else calls the system's converter.
namespace mokpe::common {

class Cp932SystemDecoder {
public:
    Cp932SystemDecoder();
    ~Cp932SystemDecoder();
    Cp932SystemDecoder(const Cp932SystemDecoder &) = delete;
    Cp932SystemDecoder &operator=(const Cp932SystemDecoder &) = delete;
    // False when the system has no CP932 conversion: then no code is read.
    bool valid() const;
    // The one character the system reads for the code of `size` bytes (1 or
    // 2) at `code`, or nothing when it reads no single character there.
    std::optional<char16_t> characterOf(const char *code, int size);

private:
    void *handle_;
};

class Cp932SystemEncoder {
public:
    Cp932SystemEncoder();
    ~Cp932SystemEncoder();
    Cp932SystemEncoder(const Cp932SystemEncoder &) = delete;
    Cp932SystemEncoder &operator=(const Cp932SystemEncoder &) = delete;
    // False when the system has no CP932 conversion: then no character is written.
    bool valid() const;
    // Puts the system's bytes for `c` (not a surrogate) in `out` and returns
    // how many (1 or 2); 0 when the system cannot write the character as
    // itself (it would substitute another).
    int bytesOf(char16_t c, unsigned char out[2]);

private:
    void *handle_;
};

} // namespace mokpe::common
