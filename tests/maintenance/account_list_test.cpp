#include "maintenance/account_list.h"

#include "maintenance/account_file_texts.h"
#include "maintenance/default_account_sets.h"

#include "settings/settings_file.h"
#include "support/file_helpers.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

using test::cp932;
using test::fileBytes;

// What the list shows is what the save gets back, row for row.
TEST(AccountListTest, TheListShowsTheAccountsAndGivesThemBackAsTheyStand)
{
    const AccountTriple empty;
    const QList<AccountTriple> odd = {{"842", "", QStringLiteral("旅費,交通費, 他 ")},
                                      {"", "", ""},
                                      {"0001", "x", QStringLiteral("リース料")}};
    const QList<AccountTriple> wRows = defaultSetContents(DefaultAccountSet::WCodes).rows;
    const struct Case {
        const char *name;
        int rowsBefore; // rows filled first; 0: a fresh list
        bool show;
        QList<AccountTriple> shown;
        QList<AccountTriple> listed;
        bool numbered;
    } cases[] = {
        {"a fresh list", 0, false, {}, {empty, empty}, false},
        {"commas, empty codes and an empty row", 0, true, odd, odd, true},
        {"no accounts keep the rows, emptied", 16, true, {}, QList<AccountTriple>(16, empty), false},
        {"the W set over forty rows", 40, true, wRows, wRows, true},
    };
    for (const Case &t : cases) {
        ListGrid list = makeAccountList();
        if (t.rowsBefore > 0)
            list.setRows(QList<QStringList>(t.rowsBefore, QStringList{"1", "2", "3"}));
        if (t.show)
            showAccounts(list, t.shown);
        EXPECT_EQ(listedAccounts(list), t.listed) << t.name;
        EXPECT_EQ(list.rowsNumbered(), t.numbered) << t.name;
        EXPECT_EQ(list.text(list.rowTotal() - 1, 0),
                  t.numbered ? QString::number(t.listed.size()) : QString())
            << t.name;
    }
}

struct AccountSaveCommandTest : ::testing::Test {
    test::TempFolder folder;
    AppState state;
    test::ScriptedMessages messages;
    AccountSaveCommandTest()
    {
        state.programFolder = folder.path();
        settings::Fm1_IniFileRead(state, messages);
        messages.shown.clear();
    }
};

// "保　存" asks first; on Yes the editor's contents are checked and written.
TEST_F(AccountSaveCommandTest, SaveAsksFirstAndWritesWhatTheEditorHolds)
{
    const AccountEditorContents wSet = defaultSetContents(DefaultAccountSet::WCodes);
    AccountEditorContents badRow = wSet;
    badRow.rows[4].code3 = QStringLiteral("１２３");
    const struct Case {
        const char *name;
        bool answer;
        AccountEditorContents contents;
        EditorSave result;
        QStringList told; // after the question
        QByteArray file;
    } cases[] = {
        {"declined", false, wSet, EditorSave::Declined, {}, "<missing>"},
        {"saved", true, wSet, EditorSave::Saved, {}, cp932(test::kWCodeFileText)},
        {"refused",
         true,
         badRow,
         EditorSave::Failed,
         {QStringLiteral("「　5　」行目：半角数字４桁以内のみ入力して下さい．")},
         "<missing>"},
    };
    const QString csvPath = folder.file(QStringLiteral("kamoku_code.csv"));
    for (const Case &t : cases) {
        QFile::remove(csvPath);
        messages.shown.clear();
        messages.answerNext(t.answer);
        EXPECT_EQ(saveAccountCodeEditor(state, t.contents, messages), t.result) << t.name;
        ASSERT_FALSE(messages.shown.empty()) << t.name;
        EXPECT_EQ(messages.shown[0], (test::ShownMessage{test::ShownMessage::Ask, kSaveQuestion,
                                                         QStringLiteral("データの保存")}))
            << t.name;
        EXPECT_EQ(messages.texts().mid(1), t.told) << t.name;
        EXPECT_EQ(fileBytes(csvPath), t.file) << t.name;
    }
    EXPECT_EQ(messages.unexpectedQuestions, 0);
}

} // namespace
} // namespace mokpe::maintenance
