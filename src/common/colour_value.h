#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

#include <optional>

namespace mokpe::common {

// The standard face colour of buttons and dialogs, the default of both colours.
inline constexpr qint32 kStandardFaceColour = static_cast<qint32>(0x8000000FU);
inline const QString kStandardFaceColourText = QStringLiteral("&H8000000F");

// Reads a stored colour: "&H" and hexadecimal digits (the 32 bits as they stand,
// so "&H8000000F" is negative), or a signed decimal number such as "-2147483633".
std::optional<qint32> parseColourValue(const QString &text);

// "&H" + upper-case hexadecimal without leading zeros, as swatches are stored.
QString formatColourHex(qint32 value);

// A value with the top bit set names a system colour by the index in its low
// byte; any other value is red in the low byte, green, then blue.
QColor colourFromValue(qint32 value, const QPalette &palette);

// A stored colour text to a QColor; text that is no colour gives the standard face colour.
QColor colourFromText(const QString &text, const QPalette &palette);

} // namespace mokpe::common
