#include "journal/read_matching.h"

#include <QDate>

#include <gtest/gtest.h>

namespace mokpe::journal {
namespace {

// Transaction i of one card (1 the oldest): one a day, 100 yen each.
ReadLine tx(int i)
{
    return {QDate(2024, 3, 31).addDays(i).toString(QStringLiteral("yyyy/MM/dd")),
            QStringLiteral("入,ＪＲ東,新宿,出,ＪＲ東,渋谷"), QString::number(100000 - 100 * i), QString()};
}

// Transactions `newest` down to `oldest`, as a history lists them.
std::vector<ReadLine> txs(int newest, int oldest)
{
    std::vector<ReadLine> lines;
    for (int i = newest; i >= oldest; --i)
        lines.push_back(tx(i));
    return lines;
}

std::vector<ReadLine> operator+(std::vector<ReadLine> a, const std::vector<ReadLine> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

ReadLine withRemark(ReadLine line, const QString &remark)
{
    line.remark = remark;
    return line;
}

// A 0-yen entry on the day of transaction i: its date and balance, its own description.
ReadLine zeroYenAfter(int i)
{
    ReadLine line = tx(i);
    line.descriptionFields = QStringLiteral("入,ＪＲ東,東京,,,");
    return line;
}

struct MatchCase {
    const char *name;
    std::vector<ReadLine> fresh;
    std::vector<ReadLine> stored;
    ReadMatch match;
    // What the store holds afterwards; nullopt: unchanged.
    std::optional<std::vector<ReadLine>> after;
};

void PrintTo(const MatchCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadMatchingTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ReadMatchingTest, MeetingPointAndStoreAfter)
{
    const MatchCase &c = GetParam();
    const ReadMatch match = matchReads(c.fresh, c.stored);
    EXPECT_EQ(match.matched, c.match.matched);
    EXPECT_EQ(match.whollyInside, c.match.whollyInside);
    EXPECT_EQ(match.gap, c.match.gap);
    EXPECT_EQ(match.olderRead, c.match.olderRead);
    EXPECT_EQ(storeAfterRead(c.fresh, c.stored, match), c.after);
}

const std::vector<ReadLine> kNone;

INSTANTIATE_TEST_SUITE_P(
    Reads, ReadMatchingTest,
    ::testing::Values(
        MatchCase{"FirstRead", txs(20, 1), kNone, {}, txs(20, 1)},
        MatchCase{"NoTransactionsLeaveTheStore", kNone, txs(20, 1), {}, std::nullopt},
        MatchCase{"OverlapOfOne", txs(39, 20), txs(20, 1), {1, false, {}}, txs(39, 1)},
        MatchCase{"OverlapOfNineteen", txs(21, 2), txs(20, 1), {19, false, {}}, txs(21, 1)},
        MatchCase{"NewHistoryLongerThanTheStore", txs(30, 8), txs(10, 8), {3, false, {}}, txs(30, 8)},
        // The store was cut to its newest lines: the history meets it where
        // the whole store stands, and what is older was booked before it.
        MatchCase{"StoreInsideTheNewHistory", txs(30, 1), txs(20, 11), {20, false, {}}, txs(30, 1)},
        MatchCase{"ReadTwice", txs(20, 1), txs(20, 1), {20, true, {}}, std::nullopt},
        MatchCase{"OlderReadInsideTheStore", txs(15, 6), txs(20, 1), {10, true, {}}, std::nullopt},
        // A day not read between the two: the oldest amount stays open.
        MatchCase{"Gap",
                  txs(30, 22),
                  txs(20, 1),
                  {0, false, ReadGap{tx(20).date, tx(22).date}},
                  txs(30, 22) + txs(20, 1)},
        // The remark may have been edited in the reader since.
        MatchCase{"RemarkEdited",
                  txs(25, 11) + std::vector{withRemark(tx(10), QStringLiteral("出張")), tx(9)},
                  txs(10, 1),
                  {2, false, {}},
                  txs(25, 11) + std::vector{withRemark(tx(10), QStringLiteral("出張"))} + txs(9, 1)},
        // Same date, same balance, another description: a new transaction,
        // not the stored one it stands next to.
        MatchCase{"ZeroYenEntryAboveTheMeetingPoint",
                  txs(12, 11) + std::vector{zeroYenAfter(10)} + txs(10, 5),
                  txs(10, 1),
                  {6, false, {}},
                  txs(12, 11) + std::vector{zeroYenAfter(10)} + txs(10, 1)},
        // The 0-yen entry is the oldest new line: nothing meets.
        MatchCase{"ZeroYenEntryAtTheEdge",
                  txs(12, 11) + std::vector{zeroYenAfter(10)},
                  txs(10, 1),
                  {},
                  txs(12, 11) + std::vector{zeroYenAfter(10)}},
        // Two identical 0-yen entries, the older one booked: the longest run
        // meets at the older one.
        MatchCase{"RepeatedLineAtTheMeetingPoint",
                  std::vector{tx(12), zeroYenAfter(10), zeroYenAfter(10)} + txs(10, 8),
                  std::vector{zeroYenAfter(10)} + txs(10, 1),
                  {4, false, {}},
                  std::vector{tx(12), zeroYenAfter(10), zeroYenAfter(10)} + txs(10, 1)},
        // Only the balance differs at the meeting point: no meeting.
        MatchCase{"BalanceDiffers",
                  txs(25, 11) + std::vector{ReadLine{tx(10).date, tx(10).descriptionFields, "1", {}}},
                  txs(10, 1),
                  {0, false, {}},
                  txs(25, 11) + std::vector{ReadLine{tx(10).date, tx(10).descriptionFields, "1", {}}}},
        // An older read brought in late keeps the newer lines in the store,
        // and its own below them, so that it is not booked again.
        MatchCase{"OlderReadLate", txs(10, 1), txs(30, 21), {0, false, {}, true}, txs(30, 21) + txs(10, 1)},
        // Its newest lines were read before: they are booked already.
        MatchCase{"OlderReadOverlapping", txs(20, 1), txs(30, 11), {10, false, {}, true}, txs(30, 1)},
        // Wherever in the store they lie: here above a gap the store has, which
        // the older read fills.
        MatchCase{"OlderReadIntoAGapOfTheStore",
                  txs(25, 8),
                  txs(30, 21) + txs(5, 1),
                  {5, false, {}, true},
                  txs(30, 8) + txs(5, 1)},
        MatchCase{"OlderReadMeetingTheStoreBelowAGap",
                  txs(25, 4),
                  txs(30, 21) + txs(5, 1),
                  {5, false, {}, true},
                  txs(30, 1)},
        // Older, apart from the store but not below all of it: the store stays.
        MatchCase{"OlderReadBetweenStoredLines",
                  txs(12, 10),
                  txs(30, 21) + txs(5, 1),
                  {0, false, {}, true},
                  std::nullopt},
        // The store holds the newest thousand lines.
        MatchCase{"StoreBounded", txs(1010, 991), txs(1000, 1), {10, false, {}}, txs(1010, 11)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace mokpe::journal
