// What an atomic write leaves behind goes at the next write of the file, or
// of any file at the clean-up of the folder; nothing else does.
#include "common/atomic_file.h"
#include "common/text_file.h"

#include "support/file_helpers.h"
#include "support/file_kinds.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

using test::fileBytes;
using test::writeBytes;

enum class Kind { File, Folder, Link };

TEST(AtomicFile, LeftoversOfTheProgramGoAndNothingElse)
{
    const struct {
        const char *name;
        Kind kind;
        // Removed by the next write of out.csv; by the clean-up of the folder.
        bool byTheWrite;
        bool byTheFolder;
    } cases[] = {
        {"out.csv.mokpe-Ab12Cd.tmp", Kind::File, true, true},
        {"other.csv.mokpe-Ab12Cd.tmp", Kind::File, false, true},
        // A user's copy, and what another program's temporaries look like.
        {"out.csv.backup", Kind::File, false, false},
        {"out.csv.nGtlqr", Kind::File, false, false},
        {"out.csv.mokpe-Ab12C.tmp", Kind::File, false, false},
        {".mokpe-Ab12Cd.tmp", Kind::File, false, false},
        {"out.csv.mokpe-Folder.tmp", Kind::Folder, false, false},
        {"out.csv.mokpe-LinkXX.tmp", Kind::Link, false, false},
    };
    test::TempFolder folder;
    const QString kept = folder.file(QStringLiteral("kept.txt"));
    writeBytes(kept, "kept");
    for (const auto &c : cases) {
        const QString path = folder.file(QLatin1String(c.name));
        if (c.kind == Kind::File)
            writeBytes(path, "left");
        else if (c.kind == Kind::Folder)
            ASSERT_TRUE(QDir().mkdir(path));
        else if (!test::makeSymbolicLink(kept, path))
            GTEST_SKIP() << "no symbolic link can be made here";
    }

    ASSERT_EQ(writeFileAtomically(folder.file(QStringLiteral("out.csv")), "new"), QString());
    for (const auto &c : cases)
        EXPECT_EQ(QFileInfo(folder.file(QLatin1String(c.name))).exists(), !c.byTheWrite) << c.name;
    removeLeftoverTemporaries(folder.path());
    for (const auto &c : cases)
        EXPECT_EQ(QFileInfo(folder.file(QLatin1String(c.name))).exists(), !c.byTheFolder) << c.name;
    EXPECT_EQ(fileBytes(kept), QByteArray("kept"));
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("out.csv"))), QByteArray("new"));
}

TEST(AtomicFile, ATemporaryItsWriterHoldsIsLeftAlone)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("out.csv"));
    AtomicFile first(path);
    ASSERT_EQ(openAtomicWrite(first), QString());
    EXPECT_TRUE(isTemporaryName(QFileInfo(first.fileName()).fileName(), QStringLiteral("out.csv")));
    first.write("first");

    // Another write of the same file, and the start of another program.
    ASSERT_EQ(writeFileAtomically(path, "second"), QString());
    removeLeftoverTemporaries(folder.path());
    EXPECT_EQ(commitAtomicWrite(first), QString());
    EXPECT_EQ(fileBytes(path), QByteArray("first"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("out.csv")});
}

TEST(AtomicFile, AWriteThroughLinksReplacesTheFileTheyLeadTo)
{
    test::TempFolder folder;
    const QString real = folder.file(QStringLiteral("real.csv"));
    writeBytes(real, "old");
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    // far.csv -> near.csv -> real.csv, and dangling.csv -> new.csv, not there yet.
    const QString far = folder.file(QStringLiteral("far.csv"));
    const QString dangling = folder.file(QStringLiteral("dangling.csv"));
    if (!test::makeSymbolicLink(real, folder.file(QStringLiteral("near.csv"))) ||
        !test::makeSymbolicLink(folder.file(QStringLiteral("near.csv")), far) ||
        !test::makeSymbolicLink(folder.file(QStringLiteral("new.csv")), dangling))
        GTEST_SKIP() << "no symbolic link can be made here";

    EXPECT_EQ(writeFileAtomically(far, "new") + writeFileAtomically(dangling, "made"), QString());
    EXPECT_TRUE(QFileInfo(far).isSymLink() && QFileInfo(dangling).isSymLink());
    EXPECT_EQ(fileBytes(real), QByteArray("new"));
    EXPECT_EQ(QFile::permissions(real) & ~(QFile::ReadUser | QFile::WriteUser),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    EXPECT_EQ(fileBytes(folder.file(QStringLiteral("new.csv"))), QByteArray("made"));
}

} // namespace
} // namespace mokpe::common
