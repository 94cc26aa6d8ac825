#pragma once

#include "platform/input_modes.h"

namespace mokpe::platform {

// The input method through Qt, which passes it on to the system's (IBus or
// Fcitx on Linux, the IME on Windows). Direct entry takes the box away from the
// input method, so keys reach it as typed; hiragana entry hands it back and asks
// for no Latin-only entry. Which mode the input method then starts in is its own
// setting: Qt offers no portable way to choose hiragana itself.
class QtInputModes final : public InputModeService {
public:
    void setInputMode(QObject &textBox, InputMode mode) override;
};

} // namespace mokpe::platform
