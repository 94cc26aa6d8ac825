#include "platform/lock_file_instance.h"

#include "support/file_helpers.h"

#include <QFile>

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

} // namespace
} // namespace mokpe::platform
