#include "maintenance/colour_swatches.h"

#include "common/colour_value.h"

namespace mokpe::maintenance {

namespace {

constexpr qint32 rgb(int red, int green, int blue)
{
    return red | (green << 8) | (blue << 16);
}

// The standard window background, a system colour.
constexpr qint32 kWindowBackground = static_cast<qint32>(0x80000005U);

constexpr std::array<qint32, kSwatchCount> kSwatches = {
    kWindowBackground,  rgb(255, 192, 192), rgb(255, 224, 192), rgb(255, 255, 192),
    rgb(192, 255, 192), rgb(192, 255, 255), rgb(192, 192, 255), rgb(255, 192, 255),
    rgb(255, 128, 255), rgb(128, 128, 255), rgb(128, 255, 255), rgb(128, 255, 128),
    rgb(255, 192, 128), rgb(255, 128, 128), rgb(255, 255, 0),   kWindowBackground,
};

bool validSwatch(int i)
{
    return i >= 0 && i < kSwatchCount;
}

} // namespace

qint32 swatchValue(int i)
{
    return validSwatch(i) ? kSwatches[static_cast<size_t>(i)] : common::kStandardFaceColour;
}

QString swatchValueText(int i)
{
    return common::formatColourHex(swatchValue(i));
}

int swatchColumn(int i)
{
    return isButtonSwatch(i) ? kSwatchCount - 1 - i : i;
}

void applySwatchClick(SettingsRecord &settings, SwatchBorders &borders, int i)
{
    if (!validSwatch(i))
        return;
    const int first = isButtonSwatch(i) ? kSwatchesPerGroup : 0;
    for (int k = first; k < first + kSwatchesPerGroup; ++k)
        borders[static_cast<size_t>(k)] = false;
    borders[static_cast<size_t>(i)] = true;
    if (isButtonSwatch(i))
        settings.buttonColour = swatchValueText(i);
    else
        settings.screenColour = swatchValueText(i);
}

void resetColours(SettingsRecord &settings)
{
    settings.screenColour = kStandardColourNumberText;
    settings.buttonColour = kStandardColourNumberText;
}

} // namespace mokpe::maintenance
