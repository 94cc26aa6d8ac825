#pragma once

namespace mokpe::cli {

// Makes standard output and error take the command's bytes as they are:
// UTF-8 text with LF line ends, the same bytes on every system. On Windows
// (standard_streams_win.cpp) the C library would turn each LF into CR LF, and
// a console would show UTF-8 in the ANSI code page.
void prepareStandardStreams();

} // namespace mokpe::cli
