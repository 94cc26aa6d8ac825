#pragma once

#include <QString>

namespace mokpe::platform {

inline const QString kDefaultTitle = QStringLiteral("モコペ！");

// Message boxes: every text the user is told or asked goes through here, so a
// test can read it and answer it.
class MessageService {
public:
    virtual ~MessageService() = default;
    // An OK-only message box.
    virtual void inform(const QString &text, const QString &title = kDefaultTitle) = 0;
    // A Yes/No question; true on Yes.
    virtual bool ask(const QString &text, const QString &title = kDefaultTitle) = 0;
};

} // namespace mokpe::platform
