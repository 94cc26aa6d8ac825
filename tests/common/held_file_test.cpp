// The file to replace is one Windows keeps from being replaced: another
// program holds it open (a spreadsheet showing the last export), or it has
// the read-only attribute. The write is refused with the reason, the old file
// stays whole and nothing is left beside it.
#include "common/os_error_text.h"
#include "common/text_file.h"

#include "support/file_helpers.h"
#include "support/held_file.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

const QByteArray kOld = "old export\r\n";

TEST(HeldFile, AFileAnotherProgramHoldsIsToldAndLeftWhole)
{
    if (const QString why = test::HeldFile::cannotHoldReason(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("export.csv"));
    test::writeBytes(path, kOld);
    QString error;
    {
        const test::HeldFile held(path);
        error = writeCp932Lines(path, {QStringLiteral("新しい行")});
    }
    EXPECT_EQ(error.toStdString(), QStringLiteral("ファイル「%1」に書き込めません．\r\n"
                                                  "他のプログラムで使用中です．閉じてからやり直して下さい．")
                                       .arg(QDir::toNativeSeparators(path))
                                       .toStdString());
    EXPECT_EQ(test::fileBytes(path), kOld);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("export.csv")});
    // Once the other program lets go, the same write goes through.
    EXPECT_EQ(writeCp932Lines(path, {QStringLiteral("新しい行")}), QString());
}

TEST(HeldFile, AReadOnlyFileIsToldAndLeftWhole)
{
#ifndef Q_OS_WIN
    GTEST_SKIP() << "a rename replaces a read-only file on Linux";
#endif
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("export.csv"));
    test::writeBytes(path, kOld);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    const QString error = writeCp932Lines(path, {QStringLiteral("新しい行")});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(error.toStdString(), QStringLiteral("ファイル「%1」に書き込めません．\r\n%2")
                                       .arg(QDir::toNativeSeparators(path), readOnlyFileReason())
                                       .toStdString());
    EXPECT_EQ(test::fileBytes(path), kOld);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("export.csv")});
}

} // namespace
} // namespace mokpe::common
