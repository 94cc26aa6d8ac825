#include "maintenance/set_aside_file.h"

#include "support/file_helpers.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::fileBytes;
using test::writeBytes;

TEST(SetAsideFile, TheFileIsRenamedWithTheTimeAndNeverReplacesAnother)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("kamoku_code.csv"));
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7));

    writeBytes(path, "first");
    EXPECT_EQ(setAsideFile(path, when), folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607")));
    writeBytes(path, "second");
    EXPECT_EQ(setAsideFile(path, when), folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607-2")));
    writeBytes(path, "third");
    EXPECT_EQ(setAsideFile(path, when), folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607-3")));

    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607"))), "first");
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607-2"))), "second");
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("kamoku_code.csv.bad-20260304-050607-3"))), "third");
}

TEST(SetAsideFile, AMissingFileIsReportedAsNotMoved)
{
    test::TempFolder folder;
    EXPECT_TRUE(
        setAsideFile(folder.file(QStringLiteral("none.csv")), QDateTime::currentDateTime()).isEmpty());
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
} // namespace mokpe::maintenance
