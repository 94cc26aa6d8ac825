#include "import/reader_launch.h"

#include "import/import_messages.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::import {
namespace {

const QString kOnC = QStringLiteral("C:\\Program Files\\Sony\\SFCard Viewer 2\\SFCV.exe");
const QString kOnD = QStringLiteral("D:\\Program Files\\Sony\\SFCard Viewer 2\\SFCV.exe");
const QString kOnCx86 = QStringLiteral("C:\\Program Files (x86)\\Sony\\SFCard Viewer 2\\SFCV.exe");
const QString kOnDx86 = QStringLiteral("D:\\Program Files (x86)\\Sony\\SFCard Viewer 2\\SFCV.exe");

TEST(ReaderLaunch, NeitherPathGivesOneMessageAndStartsNothing)
{
    test::ScriptedServices fakes;
    readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
    EXPECT_EQ(fakes.messages.texts(), QStringList{QStringLiteral("読込みソフトが見つかりません．")});
    EXPECT_EQ(fakes.files.asked, (QStringList{kOnC, kOnD, kOnCx86, kOnDx86}));
    EXPECT_TRUE(fakes.processes.starts.empty());
}

TEST(ReaderLaunch, DriveCIsPreferredAndStartedWithoutArguments)
{
    test::ScriptedServices fakes;
    fakes.files.present = {kOnC, kOnD};
    readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
    ASSERT_EQ(fakes.processes.starts.size(), 1u);
    EXPECT_EQ(fakes.processes.starts[0].program, kOnC);
    EXPECT_TRUE(fakes.processes.starts[0].arguments.isEmpty());
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST(ReaderLaunch, DriveDIsUsedWhenCHasNone)
{
    test::ScriptedServices fakes;
    fakes.files.present = {kOnD};
    readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
    ASSERT_EQ(fakes.processes.starts.size(), 1u);
    EXPECT_EQ(fakes.processes.starts[0].program, kOnD);
    EXPECT_TRUE(fakes.processes.starts[0].arguments.isEmpty());
}

TEST(ReaderLaunch, The32BitProgramFolderOf64BitWindowsIsLookedIntoLast)
{
    for (const QString &found : {kOnCx86, kOnDx86}) {
        test::ScriptedServices fakes;
        fakes.files.present = {found};
        readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
        ASSERT_EQ(fakes.processes.starts.size(), 1u);
        EXPECT_EQ(fakes.processes.starts[0].program, found);
    }
    test::ScriptedServices fakes;
    fakes.files.present = {kOnD, kOnCx86};
    readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
    ASSERT_EQ(fakes.processes.starts.size(), 1u);
    EXPECT_EQ(fakes.processes.starts[0].program, kOnD);
}

TEST(ReaderLaunch, FailedStartIsReported)
{
    test::ScriptedServices fakes;
    fakes.files.present = {kOnC};
    fakes.processes.result = false;
    readerLaunchCommand(fakes.messages, fakes.files, fakes.processes);
    EXPECT_EQ(fakes.processes.starts.size(), 1u);
    EXPECT_EQ(fakes.messages.texts(), QStringList{kReaderStartFailedMessage.arg(kOnC)});
    EXPECT_TRUE(fakes.messages.texts().first().contains(QStringLiteral("SFCV.exe")));
}

} // namespace
} // namespace mokpe::import
