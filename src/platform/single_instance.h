#pragma once

#include <functional>

namespace mokpe::platform {

// Holds the program's one-instance claim for as long as the object lives. A
// start that finds the claim taken does not run beside the holder: it asks the
// holder to show itself and ends.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this is the only running instance (and it now holds the claim).
    virtual bool acquire() = 0;
    // For a start that found the claim taken: asks the holder to bring its
    // window to the front. False when the request could not be left for it.
    virtual bool askHolderToShow() = 0;
    // For the holder: `handler` runs from the event loop when later starts
    // have asked (once for requests that arrive together).
    virtual void onShowRequest(std::function<void()> handler) = 0;
};

} // namespace mokpe::platform
