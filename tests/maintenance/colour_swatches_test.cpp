#include "maintenance/colour_swatches.h"

#include "common/colour_value.h"

#include <gtest/gtest.h>

namespace mokpe::maintenance {
namespace {

// The swatch table as RGB triples, written out as the stored hexadecimal
// (blue, green, red from the high byte down).
TEST(ColourSwatches, EverySwatchStoresItsColourAsUpperCaseHexWithoutLeadingZeros)
{
    const QString expected[kSwatchCount] = {
        "&H80000005", "&HC0C0FF", "&HC0E0FF", "&HC0FFFF", "&HC0FFC0", "&HFFFFC0", "&HFFC0C0", "&HFFC0FF",
        "&HFF80FF",   "&HFF8080", "&HFFFF80", "&H80FF80", "&H80C0FF", "&H8080FF", "&HFFFF",   "&H80000005",
    };
    for (int i = 0; i < kSwatchCount; ++i)
        EXPECT_EQ(swatchValueText(i), expected[i]) << "swatch " << i;
}

TEST(ColourSwatches, RgbSwatchesResolveToTheirRedGreenBlue)
{
    const QPalette palette;
    EXPECT_EQ(common::colourFromValue(swatchValue(1), palette), QColor(255, 192, 192));
    EXPECT_EQ(common::colourFromValue(swatchValue(9), palette), QColor(128, 128, 255));
    EXPECT_EQ(common::colourFromValue(swatchValue(14), palette), QColor(255, 255, 0));
    // Swatches 0 and 15 follow the platform's window background.
    QPalette custom;
    custom.setColor(QPalette::Base, QColor(1, 2, 3));
    EXPECT_EQ(common::colourFromValue(swatchValue(0), custom), QColor(1, 2, 3));
    EXPECT_EQ(common::colourFromValue(swatchValue(15), custom), QColor(1, 2, 3));
}

TEST(ColourSwatches, ButtonRowRunsFromFifteenDownToEight)
{
    const int columns[kSwatchCount] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 6, 5, 4, 3, 2, 1, 0};
    for (int i = 0; i < kSwatchCount; ++i) {
        EXPECT_EQ(swatchColumn(i), columns[i]) << "swatch " << i;
        EXPECT_EQ(isButtonSwatch(i), i >= 8) << "swatch " << i;
    }
}

struct SwatchClickTest : ::testing::Test {
    SettingsRecord settings;
    SwatchBorders borders{};
    SwatchClickTest()
    {
        settings.screenColour = QStringLiteral("&H8000000F");
        settings.buttonColour = QStringLiteral("&H8000000F");
    }
    std::vector<int> bordered() const
    {
        std::vector<int> result;
        for (int i = 0; i < kSwatchCount; ++i)
            if (borders[static_cast<size_t>(i)])
                result.push_back(i);
        return result;
    }
};

TEST_F(SwatchClickTest, ScreenSwatchSetsTheScreenColourOnly)
{
    applySwatchClick(settings, borders, 3);
    EXPECT_EQ(settings.screenColour, QStringLiteral("&HC0FFFF"));
    EXPECT_EQ(settings.buttonColour, QStringLiteral("&H8000000F"));
    EXPECT_EQ(bordered(), std::vector<int>{3});
}

TEST_F(SwatchClickTest, ButtonSwatchSetsTheButtonColourOnly)
{
    applySwatchClick(settings, borders, 9);
    EXPECT_EQ(settings.buttonColour, QStringLiteral("&HFF8080"));
    EXPECT_EQ(settings.screenColour, QStringLiteral("&H8000000F"));
    EXPECT_EQ(bordered(), std::vector<int>{9});
}

TEST_F(SwatchClickTest, BorderMovesWithinItsGroupAndLeavesTheOtherGroup)
{
    applySwatchClick(settings, borders, 12);
    applySwatchClick(settings, borders, 2);
    applySwatchClick(settings, borders, 5);
    EXPECT_EQ(bordered(), (std::vector<int>{5, 12}));
    EXPECT_EQ(settings.screenColour, QStringLiteral("&HFFFFC0"));
    EXPECT_EQ(settings.buttonColour, QStringLiteral("&H80C0FF"));
    // The first of the button group (8) and the last of the screen group (7) are
    // neighbours in the index, not in a group.
    applySwatchClick(settings, borders, 8);
    applySwatchClick(settings, borders, 7);
    EXPECT_EQ(bordered(), (std::vector<int>{7, 8}));
}

TEST_F(SwatchClickTest, IndexOutsideTheSwatchesChangesNothing)
{
    applySwatchClick(settings, borders, 16);
    applySwatchClick(settings, borders, -1);
    EXPECT_TRUE(bordered().empty());
    EXPECT_EQ(settings.screenColour, QStringLiteral("&H8000000F"));
}

TEST_F(SwatchClickTest, ResetStoresTheStandardFaceColourAsASignedNumber)
{
    applySwatchClick(settings, borders, 1);
    applySwatchClick(settings, borders, 10);
    resetColours(settings);
    EXPECT_EQ(settings.screenColour, QStringLiteral("-2147483633"));
    EXPECT_EQ(settings.buttonColour, QStringLiteral("-2147483633"));
    // Borders are not the reset's business.
    EXPECT_EQ(bordered(), (std::vector<int>{1, 10}));
    // The number and the "&H" form name the same colour.
    EXPECT_EQ(common::parseColourValue(kStandardColourNumberText), common::kStandardFaceColour);
    EXPECT_EQ(common::parseColourValue(settings.screenColour),
              common::parseColourValue(QStringLiteral("&H8000000F")));
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    EXPECT_EQ(common::colourFromText(settings.screenColour, palette), QColor(10, 20, 30));
}

} // namespace
} // namespace mokpe::maintenance
