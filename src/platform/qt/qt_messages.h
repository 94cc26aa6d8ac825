#pragma once

#include "platform/messages.h"

class QWidget;

namespace mokpe::platform {

// Message boxes of Qt, over whichever window is active.
class QtMessageService final : public MessageService {
public:
    void inform(const QString &text, const QString &title = kDefaultTitle) override;
    bool ask(const QString &text, const QString &title = kDefaultTitle) override;
    Answer askOrCancel(const QString &text, const QString &title = kDefaultTitle) override;
    bool offer(const QString &text, const QString &action, const QString &title = kDefaultTitle) override;
};

} // namespace mokpe::platform
