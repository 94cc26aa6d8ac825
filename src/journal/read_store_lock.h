#pragma once

#include <QString>

#include <chrono>
#include <memory>

// Reading a card's store, merging the new read into it and writing it back is
// one transaction: two programs on one program folder that overlapped would
// otherwise each write their own merge, and the later one would lose the
// earlier one's read. A lock file beside the store ("<store>.lock") is held
// from the reading to the writing. A lock that cannot be made (a full disk, a
// read-only folder) leaves nothing behind.
//
// On Linux (read_store_lock_posix.cpp) the lock is a QLockFile, naming its
// owner; on Windows (read_store_lock_win.cpp) it is the lock file held open
// without sharing and removed by Windows when it is closed, also when the
// program ends without closing it: Qt's lock file there leaves an empty file
// and an open handle behind when its owner's name cannot be written, and the
// card would stay busy long after the disk had room again.
namespace mokpe::journal {

// How long a program waits for another one's transaction to end: a read of a
// card takes well under a second; a long command may take longer, and is then
// told to the user as busy.
inline constexpr std::chrono::milliseconds kReadStoreLockWait{5000};
// A lock left by a program that ended without removing it is taken over at
// once when that program ran on this machine; one of another machine (a
// shared folder) after this long, far past the longest transaction. (Linux:
// on Windows no lock outlives its program.)
inline constexpr std::chrono::milliseconds kReadStoreStaleLockTime{10 * 60 * 1000};

struct ReadStoreLock {
    enum class Status {
        Held,
        // Another program holds it past the wait.
        Busy,
        // The lock cannot be made where the store lies (a read-only folder):
        // nobody can write the store there, and the read goes on unlocked.
        Unavailable,
    };
    Status status = Status::Unavailable;
    // Held: released when the last copy of this goes (or by release()).
    std::shared_ptr<void> held;

    void release() { held.reset(); }
};

ReadStoreLock lockReadStore(const QString &storePath, std::chrono::milliseconds wait = kReadStoreLockWait);

// "前回の読込み記録「…」は，別のモコペ！が使用中です．" and what to do.
QString readStoreBusyMessage(const QString &storePath);

} // namespace mokpe::journal
