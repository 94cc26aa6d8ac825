#include "common/exclusive_lock.h"

#include <algorithm>
#include <thread>

namespace mokpe::common {

namespace {

// How often a waiting program tries again.
constexpr std::chrono::milliseconds kRetry{50};

} // namespace

ExclusiveLock takeExclusiveLock(const QString &path, std::chrono::milliseconds wait,
                                std::chrono::milliseconds foreignLockTime)
{
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        ExclusiveLock lock = tryExclusiveLock(path, foreignLockTime);
        if (lock.status != ExclusiveLock::Status::Busy)
            return lock;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return lock;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kRetry, deadline - now));
    }
}

} // namespace mokpe::common
