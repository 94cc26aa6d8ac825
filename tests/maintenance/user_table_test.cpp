#include "maintenance/user_table.h"

#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <QDir>

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;
using test::writeBytes;

struct UserTableTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    UserTableTest() { state.programFolder = folder.path(); }
    QString personPath() const { return folder.file(QStringLiteral("person.csv")); }
};

// --- reading ---

TEST_F(UserTableTest, EveryLineIsOneEntryTakenWholeCommasIncluded)
{
    writeBytes(personPath(), cp932(QStringLiteral("山田,太郎\r\n\r\n経理部, 鈴木 \r\n")));
    PersonFileRead(state, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(state.users.entries,
              (QStringList{QStringLiteral("山田,太郎"), QString(), QStringLiteral("経理部, 鈴木 ")}));
    EXPECT_EQ(state.users.lastIndex, 2);
    EXPECT_EQ(listedUsers(state.users), state.users.entries);
}

TEST_F(UserTableTest, LastLineWithoutLineEndIsStillAnEntry)
{
    writeBytes(personPath(), cp932(QStringLiteral("一\r\n二")));
    PersonFileRead(state, messages);
    EXPECT_EQ(state.users.entries, (QStringList{QStringLiteral("一"), QStringLiteral("二")}));
    EXPECT_EQ(state.users.lastIndex, 1);
}

TEST_F(UserTableTest, EmptyFileGivesNoEntriesAndLastIndexMinusOne)
{
    writeBytes(personPath(), QByteArray());
    PersonFileRead(state, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(state.users.entries.isEmpty());
    EXPECT_EQ(state.users.lastIndex, -1);
    EXPECT_TRUE(listedUsers(state.users).isEmpty());
}

TEST_F(UserTableTest, FileIsLookedForInTheProgramFolderOnly)
{
    test::TempFolder settingsFolder;
    writeBytes(personPath(), "program folder\r\n");
    writeBytes(settingsFolder.file(QStringLiteral("person.csv")), "settings folder\r\n");
    PersonFileRead(state, messages);
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("program folder")});
}

TEST_F(UserTableTest, MissingFileGivesTwelveEmptyEntriesAndTheMessage)
{
    // The last user index keeps its value, but never points past the 12 entries.
    const struct {
        int before;
        int after;
    } cases[] = {{0, 0}, {5, 5}, {11, 11}, {12, 11}, {300, 11}, {-1, -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        test::ScriptedMessages shown;
        state.users = {{QStringLiteral("old")}, c.before};
        PersonFileRead(state, shown);
        EXPECT_EQ(state.users.entries, QStringList(12, QString()));
        EXPECT_EQ(state.users.lastIndex, c.after);
        EXPECT_EQ(listedUsers(state.users).size(), c.after + 1);
        ASSERT_EQ(shown.shown.size(), 1u);
        EXPECT_EQ(shown.shown[0].kind, test::ShownMessage::Inform);
        EXPECT_EQ(shown.shown[0].text,
                  QStringLiteral("使用者設定ファイル(person.csv)がありません．\r\n"
                                 "最初にメンテナンス画面から，「 使用者 」設定を行って下さい．"));
        EXPECT_EQ(shown.shown[0].title, QStringLiteral("モコペ！"));
    }
}

TEST_F(UserTableTest, UnreadableFileIsReportedAndLeavesTheTableAsItWas)
{
    // 0x81 0x20 is no CP932 character.
    writeBytes(personPath(), QByteArray("a\r\n\x81\x20\r\n"));
    state.users = {{QStringLiteral("x"), QStringLiteral("y")}, 1};
    PersonFileRead(state, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("ファイル「%1」の2行目に，読み込めない文字があります．")
                                          .arg(QDir::toNativeSeparators(personPath())));
    EXPECT_EQ(state.users.entries, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(state.users.lastIndex, 1);
}

TEST_F(UserTableTest, FileThatCannotBeOpenedIsReported)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("person.csv")));
    state.users = {{QStringLiteral("x")}, 0};
    PersonFileRead(state, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QDir::toNativeSeparators(personPath())))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("x")});
}

TEST(ListedUsers, StopsAtTheEntriesWhenTheIndexPointsPastThem)
{
    const struct {
        UserTable table;
        QStringList listed;
    } cases[] = {
        {{{"a", "b", "c"}, 1}, {"a", "b"}},
        {{{"a", "b"}, 5}, {"a", "b"}},
        {{{"a"}, -1}, {}},
        {{{}, 0}, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(listedUsers(c.table), c.listed) << c.table.lastIndex;
}

// --- saving ---

TEST_F(UserTableTest, SaveWritesOneLinePerGridRowEmptyRowsIncluded)
{
    state.users = {{QStringLiteral("old")}, 0};
    const QStringList grid{QStringLiteral("山田,太郎"), QString(), QStringLiteral(" 鈴木 "), QString()};
    EXPECT_TRUE(savePersonFile(state, grid, messages));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(fileBytes(personPath()), cp932(QStringLiteral("山田,太郎\r\n\r\n 鈴木 \r\n\r\n")));
    EXPECT_EQ(state.users.entries, grid);
    // The index follows at once, as the file read again gives it.
    EXPECT_EQ(state.users.lastIndex, 3);

    PersonFileRead(state, messages);
    EXPECT_EQ(state.users.entries, grid);
    EXPECT_EQ(state.users.lastIndex, 3);
}

TEST_F(UserTableTest, SaveGoesToTheProgramFolder)
{
    test::TempFolder settingsFolder;
    EXPECT_TRUE(savePersonFile(state, {QStringLiteral("a")}, messages));
    EXPECT_EQ(fileBytes(personPath()), QByteArray("a\r\n"));
    EXPECT_EQ(fileBytes(settingsFolder.file(QStringLiteral("person.csv"))), QByteArray("<missing>"));
}

TEST_F(UserTableTest, CharacterCp932CannotHoldIsReportedAndNothingWritten)
{
    writeBytes(personPath(), "old\r\n");
    state.users = {{QStringLiteral("old")}, 0};
    EXPECT_FALSE(savePersonFile(state, {QStringLiteral("a"), QStringLiteral("x한")}, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("ファイル「%1」の2行目2文字目の文字").arg(QDir::toNativeSeparators(personPath()))))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.endsWith(
        QStringLiteral("Shift_JIS(CP932)で保存できないため，保存を中止しました．")));
    EXPECT_EQ(fileBytes(personPath()), QByteArray("old\r\n"));
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("old")});
}

TEST_F(UserTableTest, FailedWriteIsReportedAndLeavesTheTable)
{
    // A folder in the file's place cannot be replaced by a file.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("person.csv/keep")));
    state.users = {{QStringLiteral("old")}, 0};
    EXPECT_FALSE(savePersonFile(state, {QStringLiteral("new")}, messages));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(
        QStringLiteral("ファイル「%1」に書き込めません．").arg(QDir::toNativeSeparators(personPath()))))
        << messages.shown[0].text.toStdString();
    EXPECT_TRUE(QDir(folder.file(QStringLiteral("person.csv/keep"))).exists());
    EXPECT_EQ(state.users.entries, QStringList{QStringLiteral("old")});
}

} // namespace
} // namespace mokpe::maintenance
