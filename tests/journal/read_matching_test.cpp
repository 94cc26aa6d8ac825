#include "journal/read_matching.h"

#include <QDate>

#include <algorithm>
#include <map>

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

// Transactions `newest` down to `oldest`, all on the day of transaction `day`.
std::vector<ReadLine> sameDay(int newest, int oldest, int day)
{
    std::vector<ReadLine> lines = txs(newest, oldest);
    for (ReadLine &line : lines)
        line.date = tx(day).date;
    return lines;
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
    EXPECT_EQ(std::count(match.booked.begin(), match.booked.end(), true), match.matched);
    EXPECT_EQ(match.whollyInside, c.match.whollyInside);
    EXPECT_EQ(match.gap, c.match.gap);
    EXPECT_EQ(match.olderRead, c.match.olderRead);
    EXPECT_EQ(storeAfterRead(c.fresh, c.stored), c.after);
}

const std::vector<ReadLine> kNone;

INSTANTIATE_TEST_SUITE_P(
    Reads, ReadMatchingTest,
    ::testing::Values(
        MatchCase{"FirstRead", txs(20, 1), kNone, {}, txs(20, 1)},
        MatchCase{"NoTransactionsLeaveTheStore", kNone, txs(20, 1), {}, std::nullopt},
        MatchCase{"OverlapOfOne", txs(39, 20), txs(20, 1), {{}, 1, false, {}}, txs(39, 1)},
        MatchCase{"OverlapOfNineteen", txs(21, 2), txs(20, 1), {{}, 19, false, {}}, txs(21, 1)},
        MatchCase{"NewHistoryLongerThanTheStore", txs(30, 8), txs(10, 8), {{}, 3, false, {}}, txs(30, 8)},
        // What the store never held was never booked, above or below it.
        MatchCase{"StoreInsideTheNewHistory", txs(30, 1), txs(20, 11), {{}, 10, false, {}}, txs(30, 1)},
        MatchCase{"ReadTwice", txs(20, 1), txs(20, 1), {{}, 20, true, {}}, std::nullopt},
        MatchCase{"OlderReadInsideTheStore", txs(15, 6), txs(20, 1), {{}, 10, true, {}}, std::nullopt},
        // A day not read between the two: the oldest amount stays open.
        MatchCase{"Gap",
                  txs(30, 22),
                  txs(20, 1),
                  {{}, 0, false, ReadGap{tx(20).date, tx(22).date}},
                  txs(30, 22) + txs(20, 1)},
        // The remark may have been edited in the reader since.
        MatchCase{"RemarkEdited",
                  txs(25, 11) + std::vector{withRemark(tx(10), QStringLiteral("出張")), tx(9)},
                  txs(10, 1),
                  {{}, 2, false, {}},
                  txs(25, 11) + std::vector{withRemark(tx(10), QStringLiteral("出張"))} + txs(9, 1)},
        // Same date, same balance, another description: a new transaction,
        // not the stored one it stands next to.
        MatchCase{"ZeroYenEntryAboveTheMeetingPoint",
                  txs(12, 11) + std::vector{zeroYenAfter(10)} + txs(10, 5),
                  txs(10, 1),
                  {{}, 6, false, {}},
                  txs(12, 11) + std::vector{zeroYenAfter(10)} + txs(10, 1)},
        MatchCase{"ZeroYenEntryAtTheEdge",
                  txs(12, 11) + std::vector{zeroYenAfter(10)},
                  txs(10, 1),
                  {},
                  txs(12, 11) + std::vector{zeroYenAfter(10)} + txs(10, 1)},
        // Two identical 0-yen entries, the older one booked: the stored one
        // answers for the older.
        MatchCase{"RepeatedLineAtTheMeetingPoint",
                  std::vector{tx(12), zeroYenAfter(10), zeroYenAfter(10)} + txs(10, 8),
                  std::vector{zeroYenAfter(10)} + txs(10, 1),
                  {{}, 4, false, {}},
                  std::vector{tx(12), zeroYenAfter(10), zeroYenAfter(10)} + txs(10, 1)},
        // Only the balance differs: another transaction.
        MatchCase{"BalanceDiffers",
                  txs(25, 11) + std::vector{ReadLine{tx(10).date, tx(10).descriptionFields, "1", {}}},
                  txs(10, 1),
                  {},
                  txs(25, 11) + std::vector{ReadLine{tx(10).date, tx(10).descriptionFields, "1", {}}} +
                      txs(10, 1)},
        // An older read brought in late goes below the newer lines.
        MatchCase{
            "OlderReadLate", txs(10, 1), txs(30, 21), {{}, 0, false, {}, true}, txs(30, 21) + txs(10, 1)},
        MatchCase{"OlderReadOverlapping", txs(20, 1), txs(30, 11), {{}, 10, false, {}, true}, txs(30, 1)},
        // Into a gap the store has, meeting the lines on both sides or one.
        MatchCase{"OlderReadIntoAGapOfTheStore",
                  txs(25, 8),
                  txs(30, 21) + txs(5, 1),
                  {{}, 5, false, {}, true},
                  txs(30, 8) + txs(5, 1)},
        MatchCase{"OlderReadMeetingTheStoreBelowAGap",
                  txs(25, 4),
                  txs(30, 21) + txs(5, 1),
                  {{}, 7, false, {}, true},
                  txs(30, 1)},
        MatchCase{"OlderReadBetweenStoredLines",
                  txs(12, 10),
                  txs(30, 21) + txs(5, 1),
                  {{}, 0, false, {}, true},
                  txs(30, 21) + txs(12, 10) + txs(5, 1)},
        // Two reads of one day that do not meet, the morning's read second:
        // the day's lines of the read that ends later stay above.
        MatchCase{"SameDayOlderReadSecond",
                  sameDay(25, 21, 20) + txs(20, 1),
                  sameDay(55, 26, 20),
                  {{}, 0, false, {}, true},
                  sameDay(55, 26, 20) + sameDay(25, 21, 20) + txs(20, 1)},
        MatchCase{"SameDayNewerReadSecond",
                  sameDay(55, 26, 20),
                  sameDay(25, 21, 20) + txs(20, 1),
                  {},
                  sameDay(55, 26, 20) + sameDay(25, 21, 20) + txs(20, 1)},
        // The store holds the newest thousand lines; what a full store
        // dropped was booked.
        MatchCase{"StoreBounded", txs(1010, 991), txs(1000, 1), {{}, 10, false, {}}, txs(1010, 11)},
        MatchCase{"OlderThanAFullStore", txs(5, 1), txs(1005, 6), {{}, 5, true, {}}, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

// Reads of one card in any order, overlapping or not: each transaction is
// booked once, and the store ends up holding all of them in order.
TEST(ReadMatching, EveryOrderOfReadsBooksEachTransactionOnce)
{
    std::vector<std::pair<int, int>> reads{{20, 1}, {50, 15}, {85, 45}, {100, 81}};
    do {
        std::vector<ReadLine> store;
        std::map<QString, int> bookings;
        for (const auto &[newest, oldest] : reads) {
            const std::vector<ReadLine> fresh = txs(newest, oldest);
            const ReadMatch match = matchReads(fresh, store);
            for (size_t i = 0; i < fresh.size(); ++i)
                bookings[fresh[i].date] += match.booked[i] ? 0 : 1;
            if (const auto after = storeAfterRead(fresh, store))
                store = *after;
        }
        EXPECT_EQ(store, txs(100, 1));
        for (const auto &[date, count] : bookings)
            EXPECT_EQ(count, 1) << date.toStdString();
    } while (std::next_permutation(reads.begin(), reads.end()));
}

} // namespace
} // namespace mokpe::journal
