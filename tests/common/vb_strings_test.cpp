#include "common/vb_strings.h"

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

TEST(VbStrings, MidCountsCharactersFromOne)
{
    const struct {
        QString s;
        qsizetype start;
        qsizetype length;
        QString expected;
    } cases[] = {
        {"abcdef", 2, 3, "bcd"},
        {"abcdef", 1, -1, "abcdef"},
        {"abcdef", 4, -1, "def"},
        {"abcdef", 5, 10, "ef"}, // a cut past the end is shortened
        {"abcdef", 6, 1, "f"},
        {"abcdef", 7, 1, ""}, // start just past the end
        {"abcdef", 100, -1, ""},
        {"abcdef", 3, 0, ""},
        {"abcdef", 0, 2, "ab"}, // a start before the text begins at 1
        {"", 1, 5, ""},
        {QStringLiteral("利用年月日"), 2, 2, QStringLiteral("用年")}, // characters, not bytes
        {QStringLiteral("ﾊﾞｽ等"), 3, 1, QStringLiteral("ｽ")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mid(c.s, c.start, c.length), c.expected) << c.s.toStdString() << " " << c.start;
    EXPECT_EQ(mid("abc", 2), QStringLiteral("bc"));
}

TEST(VbStrings, LeftAndRightShortenAndNeverFail)
{
    const struct {
        QString s;
        qsizetype n;
        QString left;
        QString right;
    } cases[] = {
        {"abcdef", 2, "ab", "ef"},
        {"abcdef", 0, "", ""},
        {"abcdef", -1, "", ""},
        {"abc", 10, "abc", "abc"},
        {"", 3, "", ""},
        {QStringLiteral("電子マネー"), 2, QStringLiteral("電子"), QStringLiteral("ネー")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(left(c.s, c.n), c.left) << c.s.toStdString() << " " << c.n;
        EXPECT_EQ(right(c.s, c.n), c.right) << c.s.toStdString() << " " << c.n;
    }
}

TEST(VbStrings, InstrGivesOneBasedPositionsAndZeroWhenAbsent)
{
    const struct {
        QString s;
        QString needle;
        qsizetype start;
        qsizetype expected;
    } cases[] = {
        {"a,b,c", ",", 1, 2},
        {"a,b,c", ",", 2, 2},
        {"a,b,c", ",", 3, 4},
        {"a,b,c", ",", 5, 0},
        {"a,b,c", ";", 1, 0},
        {"abc", "", 1, 1}, // an empty needle is found where the search starts
        {"abc", "", 3, 3},
        {"abc", "", 4, 4},
        {"abc", "", 5, 0},
        {"abc", "c", 10, 0},
        {"abc", "a", 0, 1}, // a start before the text begins at 1
        {"", "", 1, 1},
        {"", "a", 1, 0},
        {"Edy EDY", "EDY", 1, 5}, // case-sensitive
        {QStringLiteral("2026/11/05 \\1,000"), "\\", 1, 12},
        {QStringLiteral("全角　空白"), QStringLiteral("　"), 1, 3},
    };
    for (const auto &c : cases)
        EXPECT_EQ(instr(c.s, c.needle, c.start), c.expected)
            << c.s.toStdString() << " / " << c.needle.toStdString() << " from " << c.start;
    EXPECT_EQ(instr("abcabc", "c"), 3);
}

TEST(VbStrings, TrimsRemoveOnlyTheAsciiSpace)
{
    const struct {
        QString s;
        QString ltrimmed;
        QString rtrimmed;
        QString trimmed;
    } cases[] = {
        {"  a b  ", "a b  ", "  a b", "a b"},
        {"", "", "", ""},
        {"   ", "", "", ""},
        {"\ta\t", "\ta\t", "\ta\t", "\ta\t"},
        {QStringLiteral("　a　"), QStringLiteral("　a　"), QStringLiteral("　a　"), QStringLiteral("　a　")},
        {QStringLiteral(" 　a　 "), QStringLiteral("　a　 "), QStringLiteral(" 　a　"),
         QStringLiteral("　a　")},
        {"1234 \r", "1234 \r", "1234 \r", "1234 \r"},
        {"\u00A0x", "\u00A0x", "\u00A0x", "\u00A0x"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ltrim(c.s), c.ltrimmed) << '[' << c.s.toStdString() << ']';
        EXPECT_EQ(rtrim(c.s), c.rtrimmed) << '[' << c.s.toStdString() << ']';
        EXPECT_EQ(trim(c.s), c.trimmed) << '[' << c.s.toStdString() << ']';
    }
}

TEST(VbStrings, WholeNumbersRoundHalfToEven)
{
    const struct {
        QString s;
        std::optional<qint64> expected;
    } cases[] = {
        {" 12 ", 12},
        {"+3", 3},
        {"-4", -4},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-3.5", -4},
        {"2.51", 3},
        {"2.50000000000000000001", 3}, // any later digit breaks the tie
        {"2.500", 2},
        {"2.49", 2},
        {"0.5", 0},
        {"1.5", 2},
        {"-0.6", -1},
        {".5", 0},
        {".6", 1},
        {"5.", 5},
        {"999999999999999999", 999999999999999999LL},
        {"-999999999999999999", -999999999999999999LL},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {".", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
        {"1,000", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {" - 1", std::nullopt},
        {"+-1", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1 2", std::nullopt},
        {"\t12", std::nullopt},
        {QStringLiteral("　12"), std::nullopt},
        {QStringLiteral("１２"), std::nullopt}, // full-width digits
        {"&H10", std::nullopt},
        {"\\1000", std::nullopt},
        {"9999999999999999999", std::nullopt}, // too large
    };
    for (const auto &c : cases) {
        EXPECT_EQ(toWholeNumber(c.s), c.expected) << '[' << c.s.toStdString() << ']';
        EXPECT_EQ(isNumber(c.s), c.expected.has_value()) << '[' << c.s.toStdString() << ']';
    }
}

} // namespace
} // namespace mokpe::common
