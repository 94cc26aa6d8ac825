#include "platform/qt/qt_input_modes.h"

#include <QWidget>

namespace mokpe::platform {

void QtInputModes::setInputMode(QObject &textBox, InputMode mode)
{
    auto *widget = qobject_cast<QWidget *>(&textBox);
    if (!widget)
        return;
    const Qt::InputMethodHints latin = Qt::ImhLatinOnly | Qt::ImhNoPredictiveText;
    const bool hiragana = mode == InputMode::Hiragana;
    // Qt tells a focused box's input method of both changes itself.
    widget->setInputMethodHints(hiragana ? widget->inputMethodHints() & ~latin
                                         : widget->inputMethodHints() | latin);
    widget->setAttribute(Qt::WA_InputMethodEnabled, hiragana);
}

} // namespace mokpe::platform
