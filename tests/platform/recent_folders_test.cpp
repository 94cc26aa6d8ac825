#include "platform/recent_folders.h"

#include "support/file_helpers.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace mokpe::platform {
namespace {

// Where each kind's dialog opens, by what was used before: the kind's own last
// folder wins, then the caller's fallback, then the user's documents; a folder
// that has gone since counts as never used.
TEST(RecentFolders, EachKindOpensWhereItWasLastUsed)
{
    test::TempFolder config;
    test::TempFolder cards;
    test::TempFolder journals;
    const QString gone = QDir(cards.path()).filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkpath(gone));
    RecentFolders folders(config.file(QStringLiteral("MokpeCnv.ini")));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString nothingUsed = QFileInfo(documents).isDir() ? documents : QDir::homePath();

    EXPECT_EQ(folders.startFolder({FileKind::History, {}, {}, {}}), nothingUsed);
    EXPECT_EQ(folders.startFolder({FileKind::Journal, {}, QStringLiteral("card.csv"), cards.path()}),
              cards.path());

    folders.remember(FileKind::History, cards.file(QStringLiteral("suica.csv")));
    folders.remember(FileKind::Journal, QDir(journals.path()).filePath(QStringLiteral("j.csv")));
    folders.remember(FileKind::Export, QDir(gone).filePath(QStringLiteral("0123KAI.CSV")));
    ASSERT_TRUE(QDir(gone).removeRecursively());
    // A cancelled dialog leaves the folder as it was.
    folders.remember(FileKind::History, QString());

    // Read back as the next start of the program would.
    const RecentFolders next(config.file(QStringLiteral("MokpeCnv.ini")));
    EXPECT_EQ(next.startFolder({FileKind::History, {}, {}, journals.path()}), cards.path());
    EXPECT_EQ(next.startFolder({FileKind::Journal, {}, {}, cards.path()}), journals.path());
    EXPECT_EQ(next.folder(FileKind::Export), QString());
    EXPECT_EQ(next.startFolder({FileKind::Export, {}, {}, cards.path()}), cards.path());
}

TEST(RecentFolders, KeptInTheUsersConfigurationNotTheProgramFolder)
{
    // HOME and XDG_CONFIG_HOME point into the test's own folder.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(RecentFolders::defaultIniPath(), QDir(config).filePath(QStringLiteral("Tanvel/MokpeCnv.ini")));
    test::TempFolder cards;
    RecentFolders().remember(FileKind::History, cards.file(QStringLiteral("suica.csv")));
    EXPECT_EQ(RecentFolders().folder(FileKind::History), cards.path());
}

} // namespace
} // namespace mokpe::platform
