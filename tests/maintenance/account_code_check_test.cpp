#include "maintenance/account_code_check.h"

#include "support/scripted_services.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

AccountEditorContents validContents()
{
    AccountEditorContents c;
    c.unsettled = {"186", "1882", QStringLiteral("電子未決")};
    c.emoney = {"113", "1131", QStringLiteral("電子マネー")};
    c.rows = {{"842", "8471", QStringLiteral("旅費交通費")}, {"8540", "", QString()}};
    return c;
}

// The messages the check showed (at most one).
QStringList check(const AccountEditorContents &c, bool expectedResult)
{
    test::ScriptedMessages messages;
    EXPECT_EQ(Fm8_KamokuCheck(c, messages), expectedResult);
    for (const auto &m : messages.shown)
        EXPECT_EQ(m.title, QStringLiteral("モコペ！"));
    return messages.texts();
}

TEST(AccountCodeCheck, ValidContentsPassSilently)
{
    EXPECT_TRUE(check(validContents(), true).isEmpty());
}

TEST(AccountCodeCheck, AListCodeIsThreeOrFourHalfWidthDigits)
{
    struct Case {
        QString code;
        bool passes;
    };
    const Case cases[] = {
        {QString(), false},
        {QStringLiteral("12"), false},
        {QStringLiteral("123"), true},
        {QStringLiteral("1234"), true},
        {QStringLiteral("12345"), false},
        {QStringLiteral("1a3"), false},
        {QStringLiteral("12a"), false},
        {QStringLiteral("１２３"), false},
        {QStringLiteral("12３"), false},
        {QStringLiteral(" 123"), false},
        {QStringLiteral("-12"), false},
        {QStringLiteral("٣٣٣"), false},
    };
    for (const Case &c : cases) {
        AccountEditorContents contents = validContents();
        contents.rows.append({c.code, "1", QStringLiteral("x")});
        contents.rows.append({QStringLiteral("12"), "1", QStringLiteral("y")});
        const QStringList shown = check(contents, false);
        // Row 3 is the first that can fail; a passing row 3 leaves row 4 to fail.
        const QString expected =
            QStringLiteral("「　%1　」行目：半角数字４桁以内のみ入力して下さい．").arg(c.passes ? 4 : 3);
        EXPECT_EQ(shown, QStringList{expected}) << c.code.toStdString();
    }
}

TEST(AccountCodeCheck, TheRowNumberIsWrittenInDecimal)
{
    AccountEditorContents contents = validContents();
    contents.rows.clear();
    for (int i = 0; i < 1234; ++i)
        contents.rows.append({QStringLiteral("111"), "", ""});
    contents.rows.append({QStringLiteral("1111a"), "", ""});
    EXPECT_EQ(check(contents, false),
              QStringList{QStringLiteral("「　1235　」行目：半角数字４桁以内のみ入力して下さい．")});
}

TEST(AccountCodeCheck, TheFixedAccountsAreCheckedAfterTheListInOrder)
{
    AccountEditorContents contents = validContents();
    contents.unsettled.code3 = QStringLiteral("12345");
    contents.unsettled.name = QString(33, QChar(0x3042));
    contents.emoney.code3 = QStringLiteral("ABCDE");
    contents.emoney.name = QString(33, QLatin1Char('a'));
    contents.rows[1].code3 = QStringLiteral("1");

    const QString messagesInOrder[] = {
        QStringLiteral("「　2　」行目：半角数字４桁以内のみ入力して下さい．"),
        QStringLiteral("「電子マネー未決済勘定」欄のコードは\r\n半角数字４桁以内のみ入力して下さい．"),
        QStringLiteral("「電子マネー未決済勘定欄」の勘定科目は\r\n全角３２文字以内で入力して下さい．"),
        QStringLiteral("「電子マネー勘定」欄のコードは\r\n半角数字４桁以内のみ入力して下さい．"),
        QStringLiteral("「電子マネー勘定欄」の勘定科目は\r\n全角３２文字以内で入力して下さい．"),
    };
    EXPECT_EQ(check(contents, false), QStringList{messagesInOrder[0]});
    contents.rows[1].code3 = QStringLiteral("123");
    EXPECT_EQ(check(contents, false), QStringList{messagesInOrder[1]});
    contents.unsettled.code3.chop(1);
    EXPECT_EQ(check(contents, false), QStringList{messagesInOrder[2]});
    contents.unsettled.name.chop(1);
    EXPECT_EQ(check(contents, false), QStringList{messagesInOrder[3]});
    contents.emoney.code3.chop(1);
    EXPECT_EQ(check(contents, false), QStringList{messagesInOrder[4]});
    contents.emoney.name.chop(1);
    EXPECT_TRUE(check(contents, true).isEmpty());
}

TEST(AccountCodeCheck, FixedCodesOnlyHaveAMaximumLengthAndNamesCountCharacters)
{
    AccountEditorContents contents = validContents();
    contents.unsettled.code3.clear();
    contents.emoney.code3 = QStringLiteral("ｱｲｳｴ");
    contents.unsettled.name = QString(32, QChar(0x96fb)); // 64 bytes in CP932, 32 characters
    contents.emoney.name.clear();
    contents.unsettled.code4 = QStringLiteral("123456789");
    contents.rows[0].code4 = QStringLiteral("not a code at all");
    contents.rows[0].name = QString(100, QLatin1Char('x'));
    EXPECT_TRUE(check(contents, true).isEmpty());
}

// A comma in a code would move the fields of its line in the file: read back,
// part of the code would become the account's name. Any code holding one is
// refused with its place's message, after every other check.
TEST(AccountCodeCheck, ACodeWithACommaIsRefused)
{
    const QString row2 = QStringLiteral("「　2　」行目：半角数字４桁以内のみ入力して下さい．");
    struct Case {
        const char *where;
        void (*put)(AccountEditorContents &);
        QString message;
    };
    const Case cases[] = {
        {"list 4-digit code", [](AccountEditorContents &c) { c.rows[1].code4 = QStringLiteral("8,71"); },
         row2},
        {"unsettled 3-digit code",
         [](AccountEditorContents &c) { c.unsettled.code3 = QStringLiteral("1,8"); }, kUnsettledCodeMessage},
        {"unsettled 4-digit code", [](AccountEditorContents &c) { c.unsettled.code4 = QStringLiteral(","); },
         kUnsettledCodeMessage},
        {"e-money 3-digit code", [](AccountEditorContents &c) { c.emoney.code3 = QStringLiteral("11,"); },
         kEmoneyCodeMessage},
        {"e-money 4-digit code", [](AccountEditorContents &c) { c.emoney.code4 = QStringLiteral("1,131"); },
         kEmoneyCodeMessage},
    };
    for (const Case &c : cases) {
        AccountEditorContents contents = validContents();
        c.put(contents);
        EXPECT_EQ(check(contents, false), QStringList{c.message}) << c.where;
    }
    // Commas in a name are the file's own: everything after the second comma.
    AccountEditorContents contents = validContents();
    contents.rows[0].name = QStringLiteral("旅費,交通費");
    contents.emoney.name = QStringLiteral("電子,マネー");
    EXPECT_TRUE(check(contents, true).isEmpty());
}

TEST(AccountCodeCheck, AnEmptyListPasses)
{
    AccountEditorContents contents = validContents();
    contents.rows.clear();
    EXPECT_TRUE(check(contents, true).isEmpty());
}

} // namespace
} // namespace mokpe::maintenance
