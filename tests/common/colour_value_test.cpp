#include "common/colour_value.h"

#include <gtest/gtest.h>

namespace mokpe::common {
namespace {

TEST(ColourValue, TextFormsParse)
{
    const struct {
        QString text;
        std::optional<qint32> value;
    } cases[] = {
        {"&H8000000F", static_cast<qint32>(0x8000000FU)},
        {"-2147483633", static_cast<qint32>(0x8000000FU)},
        {"&HC0C0FF", 0xC0C0FF},
        {"&hc0c0ff", 0xC0C0FF},
        {"&HFF&", 0xFF},
        {"&H0", 0},
        {"&HFFFFFFFF", -1},
        {"12632319", 0xC0C0FF},
        {" &H8000000F ", static_cast<qint32>(0x8000000FU)},
        {"2147483647", 2147483647},
        {"-2147483648", static_cast<qint32>(0x80000000U)},
        {"2147483648", std::nullopt},
        {"&H100000000", std::nullopt},
        {"&H", std::nullopt},
        {"&HXYZ", std::nullopt},
        {"&H-1", std::nullopt},
        {"", std::nullopt},
        {"red", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseColourValue(c.text), c.value) << '[' << c.text.toStdString() << ']';
    EXPECT_LT(*parseColourValue("&H8000000F"), 0);
    EXPECT_EQ(kStandardFaceColour, *parseColourValue(kStandardFaceColourText));
}

TEST(ColourValue, HexIsWrittenUpperCaseWithoutLeadingZeros)
{
    EXPECT_EQ(formatColourHex(0xC0C0FF), QStringLiteral("&HC0C0FF"));
    EXPECT_EQ(formatColourHex(static_cast<qint32>(0x8000000FU)), QStringLiteral("&H8000000F"));
    EXPECT_EQ(formatColourHex(0xFF), QStringLiteral("&HFF"));
    EXPECT_EQ(formatColourHex(0), QStringLiteral("&H0"));
    EXPECT_EQ(formatColourHex(-2147483633), QStringLiteral("&H8000000F"));
    for (const QString text : {"&HC0C0FF", "&H8000000F", "&H1", "&HFFFFFF"})
        EXPECT_EQ(formatColourHex(*parseColourValue(text)), text);
}

struct ColourValueTest : ::testing::Test {
    QPalette palette;
    ColourValueTest()
    {
        palette.setColor(QPalette::Base, QColor(1, 2, 3));
        palette.setColor(QPalette::Button, QColor(4, 5, 6));
        palette.setColor(QPalette::WindowText, QColor(7, 8, 9));
    }
};

TEST_F(ColourValueTest, RedIsTheLowByte)
{
    EXPECT_EQ(colourFromText("&HC0C0FF", palette), QColor(255, 192, 192));
    EXPECT_EQ(colourFromText("&HFF", palette), QColor(255, 0, 0));
    EXPECT_EQ(colourFromText("&HFF0000", palette), QColor(0, 0, 255));
    EXPECT_EQ(colourFromText("0", palette), QColor(0, 0, 0));
}

TEST_F(ColourValueTest, SystemColoursComeFromThePalette)
{
    EXPECT_EQ(colourFromText("&H8000000F", palette), QColor(4, 5, 6));
    EXPECT_EQ(colourFromText("-2147483633", palette), QColor(4, 5, 6));
    EXPECT_EQ(colourFromText("&H80000005", palette), QColor(1, 2, 3));
    EXPECT_EQ(colourFromText("&H80000008", palette), QColor(7, 8, 9));
}

TEST_F(ColourValueTest, TextThatIsNoColourGivesTheStandardFace)
{
    for (const QString text : {"", "red", "&HXYZ", "&H123456789"})
        EXPECT_EQ(colourFromText(text, palette), QColor(4, 5, 6)) << text.toStdString();
}

} // namespace
} // namespace mokpe::common
