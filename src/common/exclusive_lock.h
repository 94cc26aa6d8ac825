#pragma once

#include <QString>

#include <chrono>
#include <memory>

// A lock file that only a living program holds. The system lets go of it when
// its holder ends, however it ends, so that a program killed at any step
// leaves nothing locked: a lock file nobody holds, empty or not, is taken at
// once.
//
// On Linux (exclusive_lock_posix.cpp) the file is held with flock(), as
// QLockFile also holds it, and names its owner as QLockFile does (process,
// program, machine); on Windows (exclusive_lock_win.cpp) it is held open
// without sharing and removed by Windows when it is closed, also when the
// program ends without closing it. Released, the file is removed.
namespace mokpe::common {

struct ExclusiveLock {
    enum class Status {
        Held,
        // Another program holds it past the wait.
        Busy,
        // The lock cannot be made there (a read-only folder, no such folder).
        Unavailable,
    };
    Status status = Status::Unavailable;
    // Held: released when the last copy of this goes (or by release()).
    std::shared_ptr<void> held;

    void release() { held.reset(); }
};

// Takes the lock file at `path`, waiting up to `wait` for its holder. A lock
// that another machine's program named as its own less than `foreignLockTime`
// ago counts as held: on a shared folder the system's lock may not reach
// across machines (Linux only; 0 turns this off).
ExclusiveLock takeExclusiveLock(const QString &path, std::chrono::milliseconds wait,
                                std::chrono::milliseconds foreignLockTime = std::chrono::milliseconds{0});

// One try at the lock file, without waiting: Held, Busy while another holds
// it, or Unavailable (exclusive_lock_posix.cpp, exclusive_lock_win.cpp).
ExclusiveLock tryExclusiveLock(const QString &path, std::chrono::milliseconds foreignLockTime);

} // namespace mokpe::common
