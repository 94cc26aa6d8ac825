#pragma once

#include "common/app_state.h"

#include <QString>

#include <array>

// The colour settings: 16 fixed swatches, 0 to 7 for the screen colour and 8 to
// 15 for the button colour, and what a click on one of them changes.
namespace mokpe::maintenance {

inline constexpr int kSwatchCount = 16;
inline constexpr int kSwatchesPerGroup = 8;

// The reset to the standard face colour is held as a number, so the settings
// file receives &H8000000F as a signed decimal.
inline const QString kStandardColourNumberText = QStringLiteral("-2147483633");

// The stored colour value of swatch i (0 to 15): an RGB value with red in the
// low byte, or a system colour with the top bit set.
qint32 swatchValue(int i);
// "&H" + upper-case hexadecimal without leading zeros, as a click stores it.
QString swatchValueText(int i);

// Swatches 8 to 15 choose the button colour, 0 to 7 the screen colour.
inline bool isButtonSwatch(int i)
{
    return i >= kSwatchesPerGroup;
}
// Position in its group's row from the left: the screen row runs 0 to 7, the
// button row 15 down to 8.
int swatchColumn(int i);

// Which swatches carry the single-line border of a chosen colour.
using SwatchBorders = std::array<bool, kSwatchCount>;

// A click on swatch i: the border moves to i within its group (the other group
// keeps its border), and the group's colour of the settings record becomes the
// swatch's value. The change is in memory only; the file is written by "閉じる".
void applySwatchClick(SettingsRecord &settings, SwatchBorders &borders, int i);

// "基本色に戻す": both colours become the standard face colour, held as a number.
void resetColours(SettingsRecord &settings);

} // namespace mokpe::maintenance
