#pragma once

#include <QString>

class QWidget;

namespace mokpe::ui {

// The colour rule every window follows when it opens: the window, its frames,
// labels and option buttons take the screen colour; its command buttons the
// button colour. Colours are the stored texts of the settings record.
void applyScreenColour(QWidget *widget, const QString &colour);
void applyButtonColour(QWidget *button, const QString &colour);
// Walks the window: QGroupBox, QLabel, QRadioButton and the window itself get the
// screen colour, QPushButton the button colour. Other widgets keep their own.
void applyWindowColours(QWidget *window, const QString &screenColour, const QString &buttonColour);

} // namespace mokpe::ui
