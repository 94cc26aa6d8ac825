#include "maintenance/code_system_detection.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

qint16 detect(const QStringList &lines, int lastIndex, qint16 before = -1)
{
    AppState state;
    state.accounts.lines = lines;
    state.accounts.lastIndex = lastIndex;
    state.codeSystemState = before;
    KamokuKindCheck(state);
    return state.codeSystemState;
}

TEST(CodeSystemDetection, MoreThanTwoMarkerLinesMakeTheWCodeSystem)
{
    const QStringList two = {QStringLiteral("186,1882,電子未決"), QStringLiteral("113,1131,電子マネー"),
                             QStringLiteral("842,8410,旅費交通費"), QStringLiteral("854,8421,運賃")};
    EXPECT_EQ(detect(two, 3), 0);

    QStringList three = two;
    three[2] = QStringLiteral("842,8471,旅費交通費");
    EXPECT_EQ(detect(three, 3), 1);
}

TEST(CodeSystemDetection, ALineCountsOnceHoweverManyMarkersItHolds)
{
    const QStringList lines = {QStringLiteral("1882,1131,8471 8641"), QStringLiteral("113,1131,x"),
                               QStringLiteral("1,2,y")};
    EXPECT_EQ(detect(lines, 2), 0);
}

TEST(CodeSystemDetection, AMarkerAnywhereInTheLineCounts)
{
    const QStringList lines = {QStringLiteral("186,1800,仕訳未決定"), QStringLiteral("113,1131,電子マネー"),
                               QStringLiteral("842,8410,旅費8471交通費"),
                               QStringLiteral("900,9000,口座11310")};
    EXPECT_EQ(detect(lines, 3), 1);
}

TEST(CodeSystemDetection, OnlyLinesUpToTheLastIndexAreSearched)
{
    const QStringList lines = {QStringLiteral("1,1882,a"), QStringLiteral("1,1131,b"),
                               QStringLiteral("1,8471,c")};
    EXPECT_EQ(detect(lines, 1), 0);
    EXPECT_EQ(detect(lines, 2), 1);
}

TEST(CodeSystemDetection, AnEmptyTableGivesTheFuurinCodeSystem)
{
    EXPECT_EQ(detect({}, -1, 1), 0);
    EXPECT_EQ(detect({}, -1, -1), 0);
    EXPECT_EQ(detect({QString()}, 0, -1), 0);
}

} // namespace
} // namespace mokpe::maintenance
