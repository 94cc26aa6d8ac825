#pragma once

class QObject;

namespace mokpe::platform {

// How a text box takes keys where the system has a Japanese input method:
// through it as hiragana, or directly (half-width letters and digits).
enum class InputMode { Direct, Hiragana };

// Switches the input method of one text box. Where there is no input method
// this changes nothing the user can see.
class InputModeService {
public:
    virtual ~InputModeService() = default;
    // `textBox` is the window's text box (a widget; QObject keeps this layer
    // free of widgets).
    virtual void setInputMode(QObject &textBox, InputMode mode) = 0;
};

} // namespace mokpe::platform
