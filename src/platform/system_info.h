#pragma once

namespace mokpe::platform {

// The operating system's version as a decimal number such as 5.1 or 6.0.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    virtual double osVersion() = 0;
};

} // namespace mokpe::platform
