#include "app/os_version.h"
#include "app/user_selection.h"

#include <gtest/gtest.h>

namespace mokpe::app {
namespace {

TEST(UserSelection, PrefixNamesTheListPositionAndTheEntry)
{
    EXPECT_EQ(summaryPrefixFor(2, QStringLiteral("山田,経理")), QStringLiteral("No.2: 山田,経理，"));
    EXPECT_EQ(summaryPrefixFor(12, QString()), QStringLiteral("No.12: ，"));
    EXPECT_EQ(summaryPrefixFor(0, QStringLiteral("-- 選択なし --")), QString());
    EXPECT_EQ(userCaption(QString()), QStringLiteral("使用者：　"));
    EXPECT_EQ(userCaption(QStringLiteral("No.1: 甲，")), QStringLiteral("使用者：　No.1: 甲，"));
}

TEST(OsVersion, RoundsHalvesToEven)
{
    EXPECT_EQ(osMajorVersion(5.1), 5);
    EXPECT_EQ(osMajorVersion(6.0), 6);
    EXPECT_EQ(osMajorVersion(6.1), 6);
    EXPECT_EQ(osMajorVersion(6.5), 6);
    EXPECT_EQ(osMajorVersion(5.5), 6);
    EXPECT_EQ(osMajorVersion(10.0), 10);
}

} // namespace
} // namespace mokpe::app
