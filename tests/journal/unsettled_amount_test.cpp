#include "journal/unsettled_amount.h"

#include <gtest/gtest.h>

#include <optional>

namespace mokpe::journal {
namespace {

TEST(UnsettledAmountForm, ComputedModeStartsFromTheBalance)
{
    UnsettledAmountForm form(QStringLiteral("1500"));
    EXPECT_EQ(form.label1Caption(), QStringLiteral("処理前の金額：　1500"));
    form.chooseComputed();
    EXPECT_EQ(form.text1, QStringLiteral("1500"));
    EXPECT_EQ(form.label1Caption(), QStringLiteral("前回の残金"));
    form.chooseDirect();
    EXPECT_TRUE(form.text1.isEmpty());
}

// What the user does in the dialog over a balance cell holding 1500, and what
// the dialog answers.
struct DialogCase {
    const char *name;
    bool computed;
    std::optional<QString> text1; // typed over the pre-filled text
    QString text2;
    bool pressCompute;
    QString computeMessage;
    QString label3;
    QString confirmMessage;
    QString value;
};

void PrintTo(const DialogCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kEnter = QStringLiteral("金額を入力して下さい．");
const QString kDigits = QStringLiteral("半角数字で整数のみ入力して下さい");

class UnsettledAmountDialogTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(UnsettledAmountDialogTest, ComputesAndConfirms)
{
    const DialogCase &c = GetParam();
    UnsettledAmountForm form(QStringLiteral("1500"));
    if (c.computed)
        form.chooseComputed();
    if (c.text1)
        form.text1 = *c.text1;
    form.text2 = c.text2;
    if (c.pressCompute) {
        EXPECT_EQ(form.compute(), c.computeMessage);
    }
    EXPECT_EQ(form.label3, c.label3);
    QString value = QStringLiteral("untouched");
    EXPECT_EQ(form.confirm(value), c.confirmMessage);
    EXPECT_EQ(value, c.confirmMessage.isEmpty() ? c.value : QStringLiteral("untouched"));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, UnsettledAmountDialogTest,
    ::testing::Values(
        DialogCase{"DirectAmount", false, "320", "", false, "", "", "", "320"},
        DialogCase{"DirectEmpty", false, "", "", false, "", "", kDigits, ""},
        DialogCase{"DirectSeparator", false, "1,000", "", false, "", "", kDigits, ""},
        DialogCase{"DirectFullWidth", false, QStringLiteral("３２０"), "", false, "", "", kDigits, ""},
        DialogCase{"DirectMinus", false, "-50", "", false, "", "", kDigits, ""},
        DialogCase{"Computed", true, std::nullopt, "2000", true, "", "500", "", "500"},
        DialogCase{"ComputedNegative", true, std::nullopt, "1000", true, "", "-500", "", "-500"},
        DialogCase{"ComputedBeforeCompute", true, std::nullopt, "2000", false, "", "", kDigits, ""},
        DialogCase{"ComputedEmpty", true, std::nullopt, "", true, kEnter, "", kDigits, ""},
        DialogCase{"ComputedSeparator", true, std::nullopt, "2,000", true, kDigits, "", kDigits, ""},
        DialogCase{"ComputedLetterInBalance", true, "15a0", "2000", true, kDigits, "", kDigits, ""},
        DialogCase{"ComputedTooLong", true, std::nullopt, "12345678901234567890", true, kDigits, "", kDigits,
                   ""}),
    [](const auto &info) { return std::string(info.param.name); });

// A result computed from texts typed over since is no result: "確　定" would
// book a difference the boxes no longer show.
TEST(UnsettledAmountForm, TypingOverTheBoxesDropsTheResult)
{
    UnsettledAmountForm form(QStringLiteral("1500"));
    form.offerPreviousBalance(QStringLiteral("2000"));
    ASSERT_EQ(form.compute(), QString());
    form.typeText1(QStringLiteral("1500"));
    EXPECT_EQ(form.label3, QStringLiteral("500"));
    form.typeText2(QStringLiteral("3000"));
    EXPECT_TRUE(form.label3.isEmpty());
    QString value;
    EXPECT_EQ(form.confirm(value), kDigits);
    ASSERT_EQ(form.compute(), QString());
    form.typeText1(QStringLiteral("1000"));
    EXPECT_TRUE(form.label3.isEmpty());
    EXPECT_EQ(pendingCellCaption(40, QStringLiteral("借方金額"), QStringLiteral("2890")),
              QStringLiteral("40行目「借方金額」　処理前の金額：　2890"));
}

TEST(UnsettledAmountForm, ConfirmChecksTheResultItself)
{
    UnsettledAmountForm form(QStringLiteral("1500"));
    form.chooseComputed();
    QString value;
    for (const char *refused : {"-", "5 0", "5.0"}) {
        form.label3 = QString::fromLatin1(refused);
        EXPECT_EQ(form.confirm(value), kDigits) << refused;
    }
}

} // namespace
} // namespace mokpe::journal
