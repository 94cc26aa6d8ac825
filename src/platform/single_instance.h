#pragma once

namespace mokpe::platform {

// Holds the program's one-instance claim for as long as the object lives.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this is the only running instance (and it now holds the claim).
    virtual bool acquire() = 0;
};

} // namespace mokpe::platform
