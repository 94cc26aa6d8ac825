#include "maintenance/user_list.h"

#include "settings/program_files.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;

// Every entry is one row, taken whole; the save gets the rows back as they stand.
TEST(UserListTest, TheGridShowsTheEntriesAndGivesThemBackAsTheyStand)
{
    const struct Case {
        const char *name;
        QStringList entries;
        QStringList listed;
    } cases[] = {
        {"commas and an empty entry",
         {QStringLiteral("山田,太郎"), QString(), QStringLiteral(" 鈴木 ")},
         {QStringLiteral("山田,太郎"), QString(), QStringLiteral(" 鈴木 ")}},
        {"no users leave one empty row", {}, {QString()}},
    };
    for (const Case &t : cases) {
        ListGrid list = makeUserList();
        showUsers(list, t.entries);
        EXPECT_EQ(listedEntries(list), t.listed) << t.name;
        EXPECT_EQ(list.text(list.rowTotal() - 1, 0), QString::number(t.listed.size())) << t.name;
    }
}

struct UserSaveCommandTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    UserSaveCommandTest() { state.programFolder = folder.path(); }
};

// "保　存" asks first; on Yes every row is a line of "person.csv", empty rows
// too, and the entries become the rows.
TEST_F(UserSaveCommandTest, SaveAsksFirstAndWritesEveryRow)
{
    const QStringList old = {QStringLiteral("old")};
    const QStringList rows = {QStringLiteral("山田,太郎"), QString(), QString()};
    const struct Case {
        const char *name;
        bool answer;
        QStringList rows;
        EditorSave result;
        QByteArray file;
        QStringList entries;
        QString told; // the end of the message after the question
    } cases[] = {
        {"declined", false, rows, EditorSave::Declined, "<missing>", old, {}},
        {"saved", true, rows, EditorSave::Saved, cp932(QStringLiteral("山田,太郎\r\n\r\n\r\n")), rows, {}},
        {"a character CP932 cannot hold",
         true,
         {QStringLiteral("한")},
         EditorSave::Failed,
         "<missing>",
         old,
         QStringLiteral("Shift_JIS(CP932)で保存できないため，保存を中止しました．")},
    };
    const QString personPath = folder.file(settings::kPersonFileName);
    for (const Case &t : cases) {
        QFile::remove(personPath);
        state.users = {old, 0};
        messages.shown.clear();
        ListGrid list = makeUserList();
        showUsers(list, t.rows);
        messages.answerNext(t.answer);
        EXPECT_EQ(saveUserEditor(state, list, messages), t.result) << t.name;
        ASSERT_EQ(messages.shown.size(), t.told.isEmpty() ? 1u : 2u) << t.name;
        EXPECT_EQ(messages.shown[0], (test::ShownMessage{test::ShownMessage::Ask, kSaveQuestion,
                                                         QStringLiteral("データの保存")}))
            << t.name;
        EXPECT_TRUE(messages.shown.back().text.endsWith(t.told)) << t.name;
        EXPECT_EQ(fileBytes(personPath), t.file) << t.name;
        EXPECT_EQ(state.users.entries, t.entries) << t.name;
        // The main window lists what was saved at once.
        EXPECT_EQ(state.users.lastIndex, t.result == EditorSave::Saved ? t.entries.size() - 1 : 0) << t.name;
    }
}

} // namespace
} // namespace mokpe::maintenance
