#pragma once

namespace mokpe::common {

// A write past the file-size limit of the process (ulimit -f) would end the
// program at once on POSIX systems, by the signal SIGXFSZ, before anything
// could be said. Ignored, the write fails with EFBIG and is reported like a
// full disk, every old file whole. Called first thing in main.
void ignoreFileSizeSignal();

} // namespace mokpe::common
