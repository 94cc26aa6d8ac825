#pragma once

namespace mokpe::app {

// The OS major version kept at start-up: the version number (5.1, 6.0, 10.0)
// rounded to a whole number, halves to even.
int osMajorVersion(double version);

} // namespace mokpe::app
