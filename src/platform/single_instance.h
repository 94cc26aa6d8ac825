#pragma once

#include <chrono>
#include <functional>

namespace mokpe::platform {

// Holds the program's one-instance claim for as long as the object lives. A
// start that finds the claim taken does not run beside the holder: it asks the
// holder to show itself and ends.
class SingleInstance {
public:
    enum class Answer {
        // The holder brought its window to the front.
        Shown,
        // The holder runs for another user or in another session: its window
        // cannot come to this one's front.
        Elsewhere,
        // No answer in time (or the request could not be left).
        None,
    };
    virtual ~SingleInstance() = default;
    // True when no other instance holds the claim (and this one now does).
    virtual bool acquire() = 0;
    // For a start that found the claim taken: asks the holder to bring its
    // window to the front. False when the request could not be left for it.
    virtual bool askHolderToShow() = 0;
    // After askHolderToShow(): waits up to `wait` for the holder's answer.
    virtual Answer holderAnswer(std::chrono::milliseconds wait) = 0;
    // For the holder: `handler` runs from the event loop when later starts
    // of the same session have asked (once for requests that arrive together).
    virtual void onShowRequest(std::function<void()> handler) = 0;
};

} // namespace mokpe::platform
