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

// A lock left by an instance that was killed, before or after it named
// itself in it, is taken over at once.
TEST(LockFileInstance, ALockLeftByAKilledInstanceIsTakenOverAtOnce)
{
    for (const QByteArray &left : {QByteArray("999999\nMokpeCnv\n\n"), QByteArray()}) {
        test::TempFolder folder;
        LockFileInstance instance(folder.path());
        test::writeBytes(instance.lockPath(), left);
        EXPECT_TRUE(instance.acquire()) << left.constData();
    }
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

// A start of another user or session is answered, not shown: its request
// is renamed for it to read, and the holder's window stays where it is.
TEST(LockFileInstance, ARequestOfAnotherSessionIsAnsweredElsewhere)
{
    test::TempFolder folder;
    LockFileInstance holder(folder.path());
    ASSERT_TRUE(holder.acquire());
    int requests = 0;
    holder.onShowRequest([&requests] { ++requests; });
    ASSERT_TRUE(QDir().mkpath(holder.requestFolder()));
    test::writeBytes(QDir(holder.requestFolder()).filePath(QStringLiteral("x.request")), "0:other:");
    EXPECT_TRUE(QTest::qWaitFor(
        [&holder] {
            return QFile::exists(QDir(holder.requestFolder()).filePath(QStringLiteral("x.elsewhere")));
        },
        10000));
    EXPECT_EQ(requests, 0);
}

} // namespace
} // namespace mokpe::platform
