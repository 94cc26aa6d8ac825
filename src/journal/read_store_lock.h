#pragma once

#include "common/exclusive_lock.h"

#include <QString>

#include <chrono>

// Reading a card's store, merging the new read into it and writing it back is
// one transaction: two programs on one program folder that overlapped would
// otherwise each write their own merge, and the later one would lose the
// earlier one's read. A lock file beside the store ("<store>.lock") is held
// from the reading to the writing; a program killed at any step leaves the
// card free (see common/exclusive_lock.h).
namespace mokpe::journal {

// How long a program waits for another one's transaction to end: a read of a
// card takes well under a second; a long command may take longer, and is then
// told to the user as busy.
inline constexpr std::chrono::milliseconds kReadStoreLockWait{5000};
// A lock that a program of another machine (a shared folder) named as its own
// counts as held for this long, far past the longest transaction.
inline constexpr std::chrono::milliseconds kReadStoreStaleLockTime{10 * 60 * 1000};

// Held, busy past the wait, or unavailable where the store lies (a read-only
// folder: nobody can write the store there, and the read goes on unlocked).
using ReadStoreLock = common::ExclusiveLock;

ReadStoreLock lockReadStore(const QString &storePath, std::chrono::milliseconds wait = kReadStoreLockWait);

// "前回の読込み記録「…」は，別のモコペ！が使用中です．" and what to do.
QString readStoreBusyMessage(const QString &storePath);

} // namespace mokpe::journal
