#pragma once

namespace mokpe::test {

// Pins what the tests may depend on: time zone, locale, a private HOME and a
// 0700 XDG_RUNTIME_DIR in temporary folders, offscreen windows. Called by both
// test mains before Qt starts.
void pinTestEnvironment();

} // namespace mokpe::test
