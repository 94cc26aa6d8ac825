#include "settings/program_files.h"

#include "support/file_helpers.h"

#include <QCryptographicHash>
#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::settings {
namespace {

TEST(ProgramFiles, EveryFileIsInTheProgramFolder)
{
    AppState state;
    state.programFolder = QStringLiteral("/opt/mokpe dir");
    AppState userState = state;
    userState.userEntry = QStringLiteral("山田");
    const struct {
        QString path;
        QString expected;
    } cases[] = {
        {settingsFilePath(state), QStringLiteral("/opt/mokpe dir/inifile.ini")},
        {accountCodeFilePath(state), QStringLiteral("/opt/mokpe dir/kamoku_code.csv")},
        {personFilePath(state), QStringLiteral("/opt/mokpe dir/person.csv")},
        // Without a card ID, the chosen user's; with no user chosen, none.
        {readStoreFilePath(state, QString()), QString()},
        {readStoreFilePath(userState, QString()), QStringLiteral("/opt/mokpe dir/user_reads__5c71_7530.csv")},
        {readStoreFilePath(state, QStringLiteral("X1")), QStringLiteral("/opt/mokpe dir/card_reads_X1.csv")},
        {programFilePath(state, kShortcutScriptName), QStringLiteral("/opt/mokpe dir/mokpe_scut.vbs")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.path, c.expected);
}

// What no output may be written over: the fixed files, every read store and
// the lock beside one; on Windows whatever the case of the letters.
TEST(ProgramFiles, NamesNoOutputMayTake)
{
    const struct {
        const char *name;
        bool sensitive;
        bool insensitive;
    } cases[] = {
        {"inifile.ini", true, true},
        {"INIFILE.INI", false, true},
        {"kamoku_code.csv", true, true},
        {"person.csv", true, true},
        {"Person.csv", false, true},
        {"card_reads.csv", true, true},
        {"card_reads_X1.csv", true, true},
        {"card_reads_X1.csv.lock", true, true},
        {"CARD_READS_X1.CSV", false, true},
        {"inifile.ini.bak", false, false},
        {"kamoku_code.txt", false, false},
        {"card_reads.csv.bad-20240101-000000", false, false},
        {"journal.csv", false, false},
        {"user_reads__5c71.csv", true, true},
        {"user_reads__5c71.csv.lock", true, true},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(isProgramFileName(name, Qt::CaseSensitive), c.sensitive) << c.name;
        EXPECT_EQ(isProgramFileName(name, Qt::CaseInsensitive), c.insensitive) << c.name;
    }
}

TEST(ProgramFiles, ReadStoreNamePerCard)
{
    EXPECT_EQ(readStoreFileName(QString()), QStringLiteral("card_reads.csv"));
    EXPECT_EQ(readStoreFileName(QStringLiteral("JE80F1234567890A")),
              QStringLiteral("card_reads_JE80F1234567890A.csv"));
    // No character of an ID can reach another folder or clash with a plain one.
    EXPECT_EQ(readStoreFileName(QStringLiteral("../a_b ｶ")),
              QStringLiteral("card_reads__002e_002e_002fa_005fb_0020_ff76.csv"));
    // A long ID is named by its hash after a "~", which no plain ID gives:
    // not even the hash itself as an ID.
    const QString longId(200, QLatin1Char('A'));
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(longId.toUtf8(), QCryptographicHash::Sha1).toHex());
    EXPECT_EQ(readStoreFileName(longId), QStringLiteral("card_reads_~") + hash + QStringLiteral(".csv"));
    EXPECT_EQ(readStoreFileName(hash), QStringLiteral("card_reads_") + hash + QStringLiteral(".csv"));
    EXPECT_EQ(readStoreFileName(QStringLiteral("~") + hash),
              QStringLiteral("card_reads__007e") + hash + QStringLiteral(".csv"));
    for (const QString &name : {readStoreFileName(longId), readStoreFileName(hash), readStoreFileName({}),
                                readStoreFileName(hash) + kLockSuffix})
        EXPECT_TRUE(isReadStoreFileName(name)) << name.toStdString();
    EXPECT_FALSE(isReadStoreFileName(QStringLiteral("card_reads.csv.bad-20240101-000000")));
    EXPECT_FALSE(isReadStoreFileName(QStringLiteral("card_readsX.csv")));
}

TEST(ProgramFiles, AnyReadStoreIsFoundByItsName)
{
    test::TempFolder folder;
    EXPECT_FALSE(anyReadStoreExists(folder.path()));
    EXPECT_FALSE(anyReadStoreExists(QString()));
    test::writeBytes(folder.file(QStringLiteral("card_reads.csv.bad-20240101-000000")), "x");
    EXPECT_FALSE(anyReadStoreExists(folder.path()));
    test::writeBytes(folder.file(QStringLiteral("card_reads_X1.csv")), "x");
    EXPECT_TRUE(anyReadStoreExists(folder.path()));
}

} // namespace
} // namespace mokpe::settings
