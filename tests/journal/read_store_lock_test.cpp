#include "journal/read_store_lock.h"
#include "settings/program_files.h"

#include "support/file_helpers.h"
#include "support/full_disk.h"

#include <QDir>
#include <QFileInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

using namespace std::chrono_literals;

std::string filesIn(const QString &folder)
{
    return QDir(folder)
        .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
        .join(QLatin1Char(' '))
        .toStdString();
}

// One holder at a time, also within one program; released, the lock file is
// gone and the next one takes the lock at once.
TEST(ReadStoreLock, OneHolderAtATimeAndNothingLeftBehind)
{
    test::TempFolder folder;
    const QString store = folder.file(QStringLiteral("card_reads_X1.csv"));
    ReadStoreLock first = lockReadStore(store, 0ms);
    ASSERT_EQ(first.status, ReadStoreLock::Status::Held);
    EXPECT_TRUE(QFileInfo::exists(store + settings::kLockSuffix));
    EXPECT_EQ(lockReadStore(store, 100ms).status, ReadStoreLock::Status::Busy);
    first.release();
    EXPECT_EQ(filesIn(folder.path()), "");
    ReadStoreLock second = lockReadStore(store, 0ms);
    EXPECT_EQ(second.status, ReadStoreLock::Status::Held);
    second.release();
    EXPECT_EQ(filesIn(folder.path()), "");
}

// A lock file nobody holds is taken at once, whatever it says: empty (a
// program killed before it named itself) or naming a program that ended. One
// another machine's program wrote lately is left to it on Linux, where the
// system's lock may not reach across a shared folder.
TEST(ReadStoreLock, ALockNobodyHoldsIsTakenAtOnce)
{
    const struct {
        QByteArray left;
        bool taken;
    } cases[] = {
        {QByteArray(), true},
        {"999999\nmokpe\n" + QSysInfo::machineHostName().toUtf8() + '\n', true},
#ifndef Q_OS_WIN
        {"1\nmokpe\nanother-machine.example\n", false},
#endif
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.left.toStdString());
        test::TempFolder folder;
        const QString store = folder.file(QStringLiteral("card_reads_X1.csv"));
        test::writeBytes(store + settings::kLockSuffix, c.left);
        const ReadStoreLock lock = lockReadStore(store, 0ms);
        EXPECT_EQ(lock.status, c.taken ? ReadStoreLock::Status::Held : ReadStoreLock::Status::Busy);
    }
}

// A full disk leaves no lock file behind, and the card is free again at once
// when the disk has room.
TEST(ReadStoreLock, FullDiskLeavesNothingAndTheCardFree)
{
    test::FullDiskFolder disk;
    if (const QString why = disk.cannotFillReason(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    const QString store = disk.file(QStringLiteral("card_reads_X1.csv"));
    disk.makeFull();
    ReadStoreLock onFullDisk = lockReadStore(store, 0ms);
    // Held where the lock takes no room (Windows), else the read goes on unlocked.
    EXPECT_NE(onFullDisk.status, ReadStoreLock::Status::Busy);
    onFullDisk.release();
    disk.release();
    EXPECT_EQ(filesIn(disk.path()), "");
    ReadStoreLock afterwards = lockReadStore(store, 0ms);
    EXPECT_EQ(afterwards.status, ReadStoreLock::Status::Held);
}

} // namespace
} // namespace mokpe::journal
