#include "cli/standard_streams.h"

namespace mokpe::cli {

// A POSIX stream passes bytes through, and terminals here read UTF-8.
void prepareStandardStreams()
{}

} // namespace mokpe::cli
