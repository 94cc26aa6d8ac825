#include "cli/standard_streams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace mokpe::cli {

void prepareStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // A console shows the bytes in its output code page.
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR ||
        GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_CHAR)
        SetConsoleOutputCP(CP_UTF8);
}

} // namespace mokpe::cli
