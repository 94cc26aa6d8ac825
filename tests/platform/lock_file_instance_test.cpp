#include "platform/lock_file_instance.h"

#include "support/file_helpers.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace mokpe::platform {
namespace {

TEST(LockFileInstance, OnlyOneHolderAtATime)
{
    test::TempFolder folder;
    auto first = std::make_unique<LockFileInstance>(folder.path());
    LockFileInstance second(folder.path());
    EXPECT_TRUE(first->acquire());
    EXPECT_FALSE(second.acquire());
    first.reset();
    EXPECT_TRUE(second.acquire());
}

TEST(LockFileInstance, ALockLeftByACrashedInstanceIsTakenOver)
{
    test::TempFolder folder;
    LockFileInstance instance(folder.path());
    // The lock file of a process that no longer runs: PID, application name, host.
    QFile stale(instance.lockPath());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("999999\nMokpeCnv\n\n");
    stale.close();
    EXPECT_TRUE(instance.acquire());
}

// A later start's request reaches the holder's handler through real files,
// whether it came before the holder began to watch (a start racing the first
// one's) or after; the request is taken away once answered.
TEST(LockFileInstance, ALaterStartsRequestReachesTheHolder)
{
    for (const bool askedBeforeTheWatch : {false, true}) {
        SCOPED_TRACE(askedBeforeTheWatch ? "asked before the watch" : "asked while watched");
        test::TempFolder folder;
        LockFileInstance holder(folder.path());
        LockFileInstance later(folder.path());
        ASSERT_TRUE(holder.acquire());
        ASSERT_FALSE(later.acquire());
        int requests = 0;
        if (askedBeforeTheWatch) {
            ASSERT_TRUE(later.askHolderToShow());
        }
        holder.onShowRequest([&requests] { ++requests; });
        if (!askedBeforeTheWatch) {
            ASSERT_TRUE(later.askHolderToShow());
        }
        EXPECT_TRUE(QTest::qWaitFor([&requests] { return requests > 0; }, 10000));
        EXPECT_TRUE(QDir(holder.requestFolder()).entryList(QDir::Files).isEmpty());
    }
}

} // namespace
} // namespace mokpe::platform
